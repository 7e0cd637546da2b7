// The record file's round trip: the items read from any bytes (a byte-order mark, UTF-8 or UTF-16,
// read as the text it marks), saved as a record the way the game saves one, read back from disk
// byte for byte and item for item. What UTF-16 is decoded into must be well-formed UTF-8.
#include "platform/record_file.h"
#include "platform/text_file.h"

#include "fuzz/scratch_folder.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

// Well-formed UTF-8: shortest forms only, no surrogates, nothing past U+10FFFF.
bool well_formed_utf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = [&](std::size_t at) { return at < text.size() ? static_cast<unsigned char>(text[at]) : 0U; };
        const unsigned lead = byte(i);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3 : lead >= 0xF0 && lead < 0xF5 ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        char32_t c = length == 1 ? lead : lead & (0x7FU >> length);
        for (std::size_t k = 1; k < length; ++k) {
            if ((byte(i + k) & 0xC0U) != 0x80U) {
                return false;
            }
            c = c << 6 | (byte(i + k) & 0x3FU);
        }
        const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
        if (c < least[length] || (c >= 0xD800 && c < 0xE000) || c > 0x10FFFF) {
            return false;
        }
        i += length;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = vex::decode_text(bytes);
    const bool utf16 = bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
    if (utf16 && !well_formed_utf8(text)) {
        std::abort();
    }
    auto items = vex::parse_items(text, 2);
    if (items.size() < 2) {
        return 0;
    }
    // As the game stores them: the score's caption has no quote, a quote in the name becomes '.
    std::erase(items[0], '"');
    std::replace(items[1].begin(), items[1].end(), '"', '\'');
    const std::string record = "\"" + items[0] + "\",\"" + items[1] + "\"\r\n";
    const auto file = vex::fuzzing::scratch_folder() / "scores.dat";
    if (!vex::write_record_file(file, record)) {
        std::abort();
    }
    const vex::Result<std::string> back = vex::read_record_file(file);
    if (!back || back.value() != record || vex::parse_items(back.value(), 2) != items) {
        std::abort();
    }
    return 0;
}
