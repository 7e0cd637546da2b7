// The conversions between caption texts and numbers: any text gives a defined number, and a
// number written back reads as itself.
#include "platform/numbers.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double leading = vex::leading_number(text);
    if (std::isnan(leading)) {
        std::abort();
    }
    vex::round_to_int32(leading);
    if (const auto number = vex::parse_number(text)) {
        // A whole caption that is a number also leads with it; written out, it reads back alike.
        if (*number != leading && !std::isnan(*number)) {
            std::abort();
        }
        const std::string written = vex::format_number(*number);
        const auto again = vex::parse_number(written);
        if (std::isfinite(*number) && (!again || vex::format_number(*again) != written)) {
            std::abort();
        }
    }
    return 0;
}
