// Conversions between numbers and the caption texts that hold them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vex {

// The blanks the game's text readers skip: a space or a tab, nothing else.
bool is_blank(char c);

// The whole text as a decimal number, blanks around it ignored; nullopt when it is not one.
std::optional<double> parse_number(std::string_view text);

// General number format: whole numbers as plain digits with a leading minus when negative (no
// separators, no leading zeros); other values with up to 15 significant digits.
std::string format_number(double value);

// The number at the start of a text (leading blanks skipped), 0 when it does not start with one.
double leading_number(std::string_view text);

// Nearest 32-bit integer, halves to the even neighbour; values outside the range are clamped.
std::int32_t round_to_int32(double value);

// Integer part of hits / shots * 100, computed exactly; shots must not be 0.
double accuracy_percent(double hits, double shots);

}  // namespace vex
