// Editing and cutting UTF-8 text one whole character at a time.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vex {

// Removes the last whole character (all of its bytes); nothing when the text is empty.
void erase_last_character(std::string& text);

// The text's first `count` whole characters (all of the text when it has no more).
std::string_view first_characters(std::string_view text, std::size_t count);

}  // namespace vex
