// Reading the values the player types, on the command line and in the settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vex {

// `text` as a whole decimal number from `least` to `most`, or nullopt.
std::optional<int> whole_number(std::string_view text, int least, int most);

// `text` without the blanks (spaces, tabs, CR, LF) around it.
std::string trimmed(std::string_view text);

// `text` with its ASCII letters in lower case.
std::string lowered(std::string_view text);

}  // namespace vex
