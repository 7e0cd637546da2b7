// Editing UTF-8 text one character at a time.
#pragma once

#include <string>

namespace vex {

// Removes the last whole character (all of its bytes); nothing when the text is empty.
void erase_last_character(std::string& text);

}  // namespace vex
