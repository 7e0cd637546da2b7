#include "platform/key_codes.h"
#include "scoring/level_texts.h"
#include "shell/form1.h"

namespace vex {

void Form1::Form_KeyDown(std::int16_t KeyCode, std::int16_t /*Shift*/) {
    if (KeyCode == keys::s) {
        if (tmBrit.Enabled) {
            return;
        }
        NewGameReset();
    }
    if (tmBrit.Enabled && KeyCode == keys::control) {
        FireCommand();
        return;
    }
    if (tmBrit.Enabled && KeyCode == keys::left) {
        tmLeft.Enabled = true;
        return;
    }
    if (tmBrit.Enabled && KeyCode == keys::right) {
        tmRight.Enabled = true;
    }
}

// Releasing an arrow always stops the ship, game or no game.
void Form1::Form_KeyUp(std::int16_t KeyCode, std::int16_t /*Shift*/) {
    if (KeyCode == keys::left) {
        tmLeft.Enabled = false;
    } else if (KeyCode == keys::right) {
        tmRight.Enabled = false;
    }
}

// Puts everything a game begins with into its starting form. The ship's place, the shots in
// flight, the boss counter and its panel, "GAME OVER" and the info panels are left alone: the
// first tick of the wave tidies the screen.
void Form1::NewGameReset() {
    m_final_score.reset();
    intLevel = 1;
    lblLevel.Caption = level_label_text(intLevel);
    lblLevel.Visible = true;
    PlaySound("\\sounds\\airraid.wav");
    Caption = level_window_caption(intLevel);
    lngBadyscore = 5000;
    intSpeedLimit = 150;
    lblScore.Caption = "0";
    lblLives.Caption = "2";
    lblShots.Caption = "0";
    lblHits.Caption = "0";
    lblAcc.Caption = "0%";
    PlaceWave();
    imgBady.Visible = false;
    tmBady.Enabled = false;
    ShowWave(true);
    tmBrit.Enabled = true;
}

// Counts the shot even when no slot is free. A busy third slot blocks every launch, so the
// slots are taken 1, 2, 3 and only free again once the third shot has ended.
void Form1::FireCommand() {
    SetLabelValue(lblShots, LabelValue(lblShots) + 1);
    UpdateAccuracy();
    if (tmFire3.Enabled) {
        return;
    }
    Shot shot = tmFire2.Enabled ? shot3() : (!tmFire1.Enabled ? shot1() : shot2());
    PlaySound("\\sounds\\pop2.wav");
    shot.line.Visible = true;
    shot.line.X1 = imgShip.Left + imgShip.Width / 2;
    shot.line.Y1 = imgShip.Top;
    shot.line.X2 = shot.line.X1;
    shot.line.Y2 = imgShip.Top + 150;
    shot.timer.Enabled = true;
}

}  // namespace vex
