// The game's one uniform generator over [0, 1). The game never seeds it, so every run of the
// program draws the same sequence; a replay names the seed all the same.
#pragma once

#include <cstdint>
#include <random>

namespace vex {

class UniformRandom {
public:
    static constexpr std::uint32_t default_seed = std::mt19937::default_seed;

    explicit UniformRandom(std::uint32_t seed = default_seed) : m_engine(seed), m_seed(seed) {}
    double next();
    std::uint32_t seed() const { return m_seed; }

private:
    std::mt19937 m_engine;
    std::uint32_t m_seed;
};

}  // namespace vex
