// The free-format items of a text file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vex {

// Reads up to `count` items of free-format input: a quoted item gives its text without the
// quotes (commas inside kept); an unquoted item runs to the next comma or line end, blanks around
// it skipped, and a number among them gives its plain decimal text. Fewer items than asked are
// returned when the text ends first.
std::vector<std::string> parse_items(std::string_view text, std::size_t count);

}  // namespace vex
