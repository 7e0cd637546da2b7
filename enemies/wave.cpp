#include "enemies/contact.h"
#include "enemies/playfield.h"
#include "shell/form1.h"

#include <array>
#include <cmath>

namespace vex {

namespace {

constexpr float left_edge_correction = 200;

// Sideways pace of each Vexoid toward the ship's left edge, in twips per tick.
constexpr std::array<std::int16_t, 4> homing_steps{45, 45, 45, 50};

}  // namespace

// Where a game and each new level start the wave, Top first, then Left.
void Form1::PlaceWave() {
    imgBrit1.Top = 600;
    imgBrit1.Left = 700;
    imgBrit2.Top = 600;
    imgBrit2.Left = 2240;
    imgBrit3.Top = 600;
    imgBrit3.Left = 4000;
    imgBrit4.Top = 600;
    imgBrit4.Left = 5920;
}

void Form1::ShowWave(bool visible) {
    imgBrit1.Visible = visible;
    imgBrit2.Visible = visible;
    imgBrit3.Visible = visible;
    imgBrit4.Visible = visible;
}

// The wave moves shown or hidden: while the boss is up the Vexoids fall on unseen and cannot
// touch the ship.
void Form1::tmBrit_Timer() {
    // Tidy the screen: a game under way shows no info panel and no "GAME OVER".
    ShowAboutPanel(false);
    ShowInstructionsPanel(false);
    Label8.Visible = false;

    const std::array<Image*, 4> wave{&imgBrit1, &imgBrit2, &imgBrit3, &imgBrit4};
    for (Image* vexoid : wave) {
        if (!imgBady.Visible && reaches_ship(*vexoid, imgShip)) {
            vexoid->Top = 0;
            ShipLost(ShipLossVariant::Wave);
            return;
        }
    }
    for (Image* vexoid : wave) {
        if (vexoid->Top > playfield_bottom) {
            vexoid->Top = 0;
        }
    }
    if (imgBrit1.Left < 0) {
        imgBrit1.Left = imgBrit1.Left + left_edge_correction;
    }
    // One sideways step is shared along the wave: a Vexoid level with the ship's left edge
    // takes the step of the one before it.
    std::int16_t step = 0;
    for (std::size_t i = 0; i < wave.size(); ++i) {
        Image& vexoid = *wave[i];
        intSpeedScore = static_cast<std::int16_t>(std::floor(runtime().random() * intSpeedLimit));
        vexoid.Top = vexoid.Top + intSpeedScore;
        if (imgShip.Left > vexoid.Left) {
            step = homing_steps[i];
        } else if (imgShip.Left < vexoid.Left) {
            step = static_cast<std::int16_t>(-homing_steps[i]);
        }
        vexoid.Left = vexoid.Left + step;
    }
}

}  // namespace vex
