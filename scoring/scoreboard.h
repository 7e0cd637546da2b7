// The accuracy as the scoreboard shows it.
#pragma once

#include <string>

namespace vex {

// "66%" for 2 hits from 3 shots: the percentage rounded down, computed exactly.
std::string accuracy_caption(double hits, double shots);

}  // namespace vex
