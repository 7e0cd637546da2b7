#include "enemies/playfield.h"
#include "shell/form1.h"

#include <array>

namespace vex {

namespace {

constexpr float streak_length = 100;

}  // namespace

// Six streaks fall at their own fixed speeds. All restarts come before any move, so a streak
// that restarts is already one step down when it is next drawn.
void Form1::tmSpace_Timer() {
    const std::array<std::pair<Line*, float>, 6> streaks{
        {{&Line5, 80}, {&Line6, 75}, {&Line7, 50}, {&Line8, 90}, {&Line9, 45}, {&Line10, 75}}};
    for (const auto& [streak, speed] : streaks) {
        if (streak->Y1 > playfield_bottom) {
            streak->Y1 = 0;
            streak->Y2 = streak_length;
        }
    }
    for (const auto& [streak, speed] : streaks) {
        streak->Y1 = streak->Y1 + speed;
        streak->Y2 = streak->Y2 + speed;
    }
}

}  // namespace vex
