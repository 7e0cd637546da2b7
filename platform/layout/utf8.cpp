#include "platform/layout/utf8.h"

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

std::string_view first_characters(std::string_view text, std::size_t count) {
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80U && characters++ == count) {
            return text.substr(0, i);
        }
    }
    return text;
}

}  // namespace vex
