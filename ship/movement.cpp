#include "shell/form1.h"

namespace vex {

namespace {

constexpr float ship_step = 100;
// Tested before each step, so the ship can end one step beyond them: at -100 or 7100.
constexpr float left_limit = 0;
constexpr float right_limit = 7000;

}  // namespace

void Form1::tmLeft_Timer() {
    if (!(imgShip.Left < left_limit)) {
        imgShip.Left = imgShip.Left - ship_step;
    }
}

void Form1::tmRight_Timer() {
    if (!(imgShip.Left > right_limit)) {
        imgShip.Left = imgShip.Left + ship_step;
    }
}

}  // namespace vex
