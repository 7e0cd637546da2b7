// The text of a file and its free-format items.
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

// The text a file's bytes hold, as UTF-8: a UTF-8 byte-order mark is dropped, and text that starts
// with a UTF-16 one (little- or big-endian, as Windows editors save "Unicode") is converted, a lone
// surrogate or a last odd byte becoming U+FFFD. Bytes without a mark are returned as they are.
std::string decode_text(std::string_view bytes);

}  // namespace vex
