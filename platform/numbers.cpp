#include "platform/numbers.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace vex {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Length of the decimal number at the start of `text` (sign, digits, fraction, exponent), or 0.
std::size_t number_prefix_length(std::string_view text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && is_digit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && is_digit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && is_digit(text[j])) {
            while (j < text.size() && is_digit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i;
}

// Whether a decimal number the conversion found out of range lies below the smallest double
// rather than above the largest: the sign of its decimal magnitude tells, since an out-of-range
// number is beyond 1e308 or below 1e-308.
bool underflows(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const std::string_view mantissa = number.substr(0, e);
    long long exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view digits = number.substr(e + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
            digits.remove_prefix(1);
        }
        for (const char c : digits) {
            exponent = std::min<long long>(exponent * 10 + (c - '0'), 1LL << 40);
        }
        exponent = negative ? -exponent : exponent;
    }
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const std::size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos) {
        return true;
    }
    const long long magnitude = first < point ? static_cast<long long>(point - first)
                                              : -static_cast<long long>(first - point - 1);
    return magnitude + exponent <= 0;
}

double to_double(std::string_view number) {
    const bool plus = !number.empty() && number.front() == '+';
    if (plus) {
        number.remove_prefix(1);
    }
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (underflows(number)) {
            return 0;
        }
        return number.front() == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
    }
    return value;
}

std::string_view trim_blanks(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && is_blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

}  // namespace

std::optional<double> parse_number(std::string_view text) {
    text = trim_blanks(text);
    const std::size_t length = number_prefix_length(text);
    if (length == 0 || length != text.size()) {
        return std::nullopt;
    }
    return to_double(text);
}

std::string format_number(double value) {
    char buffer[64];
    if (value == 0) {
        return "0";  // also for -0
    }
    if (std::trunc(value) == value && std::fabs(value) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.15G", value);
    }
    return buffer;
}

double leading_number(std::string_view text) {
    while (!text.empty() && is_blank(text.front())) {
        text.remove_prefix(1);
    }
    const std::size_t length = number_prefix_length(text);
    return length == 0 ? 0.0 : to_double(text.substr(0, length));
}

std::int32_t round_to_int32(double value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    // The default rounding mode sends halves to the even neighbour.
    const double rounded = std::nearbyint(value);
    if (rounded <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

double accuracy_percent(double hits, double shots) {
    constexpr double exact_limit = 9e15;  // counts whose hundredfold is still an exact integer
    if (std::trunc(hits) == hits && std::trunc(shots) == shots && std::fabs(hits) * 100 < exact_limit &&
        std::fabs(shots) < exact_limit) {
        const auto numerator = static_cast<std::int64_t>(hits) * 100;
        const auto denominator = static_cast<std::int64_t>(shots);
        std::int64_t quotient = numerator / denominator;
        if ((numerator % denominator != 0) && ((numerator < 0) != (denominator < 0))) {
            --quotient;  // round toward minus infinity
        }
        return static_cast<double>(quotient);
    }
    return std::floor(hits / shots * 100);
}

}  // namespace vex
