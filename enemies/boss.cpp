#include "enemies/contact.h"
#include "shell/form1.h"

#include <cmath>

namespace vex {

namespace {

constexpr float bottom_limit = 8000;
constexpr double drop_range = 200;
constexpr float chase_step = 35;

}  // namespace

// The boss falls a random distance and slides toward the ship's left edge. The bottom wrap runs
// even while the game is halted; everything else only while it runs.
void Form1::tmBady_Timer() {
    if (imgBady.Top > bottom_limit) {
        imgBady.Top = 0;
    }
    if (!tmBrit.Enabled) {
        return;
    }
    if (reaches_ship(imgBady, imgShip)) {
        imgBady.Top = 0;
        ShipLost(ShipLossVariant::Boss);
        return;
    }
    intSpeedScore = static_cast<std::int16_t>(std::floor(runtime().random() * drop_range));
    imgBady.Top = imgBady.Top + intSpeedScore;
    float step = 0;
    if (imgShip.Left > imgBady.Left) {
        step = chase_step;
    } else if (imgShip.Left < imgBady.Left) {
        step = -chase_step;
    }
    imgBady.Left = imgBady.Left + step;
}

}  // namespace vex
