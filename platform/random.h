// The game's one uniform generator over [0, 1). It is never seeded, so every run of the program
// draws the same sequence.
#pragma once

#include <random>

namespace vex {

class UniformRandom {
public:
    double next();

private:
    std::mt19937 m_engine;  // default seed
};

}  // namespace vex
