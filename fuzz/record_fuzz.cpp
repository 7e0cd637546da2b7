// The record file's round trip: the items read from any text, saved as a record the way the game
// saves one, read back from disk byte for byte and item for item.
#include "platform/record_file.h"
#include "platform/text_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

// One folder for the whole run; in memory where the machine has it, as saves sync the disk.
const std::filesystem::path& folder() {
    static const std::filesystem::path made = [] {
        std::string pattern = (std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp") + std::string("/vex-fuzz-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return std::filesystem::path(pattern);
    }();
    return made;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto items = vex::parse_items(text, 2);
    if (items.size() < 2) {
        return 0;
    }
    // As the game stores them: the score's caption has no quote, a quote in the name becomes '.
    std::erase(items[0], '"');
    std::replace(items[1].begin(), items[1].end(), '"', '\'');
    const std::string record = "\"" + items[0] + "\",\"" + items[1] + "\"\r\n";
    const auto file = folder() / "scores.dat";
    if (vex::write_record_file(file, record)) {
        std::abort();
    }
    const vex::RecordRead back = vex::read_record_file(file);
    if (back.unusable || back.text != record || vex::parse_items(back.text, 2) != items) {
        std::abort();
    }
    return 0;
}
