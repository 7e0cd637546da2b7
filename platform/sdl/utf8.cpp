#include "platform/sdl/utf8.h"

namespace vex {

void erase_last_character(std::string& text) {
    // Continuation bytes look like 10xxxxxx; drop them with the lead byte before them.
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.back());
        text.pop_back();
        if ((byte & 0xC0U) != 0x80U) {
            return;
        }
    }
}

}  // namespace vex
