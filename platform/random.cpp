#include "platform/random.h"

namespace vex {

double UniformRandom::next() {
    // 53 random bits make every double in [0, 1) on a 2^-53 grid equally likely.
    const auto high = static_cast<std::uint64_t>(m_engine() >> 5U);
    const auto low = static_cast<std::uint64_t>(m_engine() >> 6U);
    return static_cast<double>((high << 26U) | low) / 9007199254740992.0;
}

}  // namespace vex
