#include "shell/form1.h"

#include <cmath>

namespace vex {

namespace {

constexpr float shot_step = 300;
constexpr double respawn_range = 7000;

}  // namespace

void Form1::tmFire1_Timer() { ShotTick(shot1()); }
void Form1::tmFire2_Timer() { ShotTick(shot2()); }
void Form1::tmFire3_Timer() { ShotTick(shot3()); }

// One tick of a shot: test its tip where it stands, then step it up unless it hit a Vexoid.
void Form1::ShotTick(Shot shot) {
    // A shot past the top edge stops, but is still tested and stepped once more this tick.
    if (shot.line.Y1 < 0) {
        shot.timer.Enabled = false;
    }
    // Without a running game the shot hangs where it is.
    if (!tmBrit.Enabled) {
        return;
    }
    if (!imgBady.Visible) {
        for (Image* vexoid : {&imgBrit1, &imgBrit2, &imgBrit3, &imgBrit4}) {
            if (TipInBox(shot, *vexoid)) {
                VexoidHit(shot, *vexoid);
                return;
            }
        }
    } else if (TipInBox(shot, imgBady)) {
        BossHit(shot);
    }
    shot.line.Y1 = shot.line.Y1 - shot_step;
    shot.line.Y2 = shot.line.Y2 - shot_step;
}

// The tip lies strictly inside the sprite's picture rectangle; a tip on an edge misses.
bool Form1::TipInBox(const Shot& shot, const Image& sprite) const {
    const float x = shot.line.X1;
    const float y = shot.line.Y1;
    return sprite.Top < y && y < sprite.Top + sprite.Height && sprite.Left < x && x < sprite.Left + sprite.Width;
}

void Form1::VexoidHit(Shot shot, Image& vexoid) {
    vexoid.Top = 0;
    vexoid.Left = static_cast<float>(std::floor(runtime().random() * respawn_range));
    shot.timer.Enabled = false;
    shot.line.Visible = false;
    PlaySound("\\sounds\\shoot.wav");
    // A hit scores the last downward step the wave or the boss drew; it can be 0.
    SetLabelValue(lblScore, LabelValue(lblScore) + intSpeedScore);
    SetLabelValue(lblHits, LabelValue(lblHits) + 1);
    UpdateAccuracy();
    if (LabelValue(lblScore) > lngBadyscore) {
        SummonBoss();
    }
}

}  // namespace vex
