#include "enemies/contact.h"
#include "enemies/playfield.h"
#include "platform/checked_math.h"
#include "scoring/level_texts.h"
#include "shell/form1.h"

#include <cmath>

namespace vex {

namespace {

constexpr double drop_range = 200;
constexpr float chase_step = 35;
constexpr float boss_push_back = 10;
constexpr double boss_hit_score = 10;
constexpr std::int16_t speed_limit_raise = 50;

}  // namespace

// The boss falls a random distance and slides toward the ship's left edge. The bottom wrap runs
// even while the game is halted; everything else only while it runs.
void Form1::tmBady_Timer() {
    if (imgBady.Top > playfield_bottom) {
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

// The wave is hidden but keeps running; the boss panel shows whatever count it holds.
void Form1::SummonBoss() {
    ShowWave(false);
    frmBady.Visible = true;
    imgBady.Visible = true;
    imgBady.Top = 800;
    imgBady.Left = 2700;
    PlaySound("\\sounds\\bady.wav");
    tmBady.Enabled = true;
}

// The kill test comes before the count goes down: the boss dies on the hit that finds the
// counter at 0, and that hit still scores and leaves the counter one below its reset value.
void Form1::BossHit(Shot shot) {
    imgBady.Top = imgBady.Top - boss_push_back;
    shot.timer.Enabled = false;
    shot.line.Visible = false;
    if (LabelValue(lblBady) == 0) {
        AdvanceLevel();
    }
    PlaySound("\\sounds\\shoot.wav");
    SetLabelValue(lblBady, LabelValue(lblBady) - 1);
    SetLabelValue(lblScore, LabelValue(lblScore) + boss_hit_score);
    SetLabelValue(lblHits, LabelValue(lblHits) + 1);
    // The hits were just raised, so only a shot count of 0 (a shot left over from an earlier
    // game) meets the guard, which then keeps the caption instead of dividing by zero.
    UpdateAccuracy();
}

void Form1::AdvanceLevel() {
    // Past the 32-bit range the threshold stays at its largest value and play goes on.
    lngBadyscore = saturating_times_two(lngBadyscore);
    tmBrit.Enabled = false;
    frmBady.Visible = false;
    lblBady.Caption = "50";
    imgBady.Visible = false;
    tmBady.Enabled = false;
    tmLeft.Enabled = false;
    tmRight.Enabled = false;
    intLevel = checked_add<std::int16_t>(intLevel, 1);
    intSpeedLimit = checked_add(intSpeedLimit, speed_limit_raise);
    Caption = level_window_caption(intLevel);
    lblLevel.Caption = level_label_text(intLevel);
    PlaySound("\\sounds\\dead.wav");
    PlaySound("\\sounds\\airraid.wav");
    PlaceWave();
    ShowWave(true);
    tmBrit.Enabled = true;
}

}  // namespace vex
