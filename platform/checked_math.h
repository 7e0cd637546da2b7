// Fixed-width game variables whose every change is checked for overflow.
#pragma once

#include "platform/runtime_error.h"

#include <cstdint>
#include <limits>

namespace vex {

// a + b, or an overflow error when the result does not fit in T.
template <typename T>
T checked_add(T a, T b) {
    T result{};
    if (__builtin_add_overflow(a, b, &result)) {
        throw RuntimeError("Overflow");
    }
    return result;
}

// a * 2, staying at the largest (or smallest) value of T instead of overflowing.
template <typename T>
T saturating_times_two(T a) {
    T result{};
    if (__builtin_mul_overflow(a, T{2}, &result)) {
        return a < 0 ? std::numeric_limits<T>::min() : std::numeric_limits<T>::max();
    }
    return result;
}

}  // namespace vex
