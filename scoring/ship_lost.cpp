#include "platform/numbers.h"
#include "shell/form1.h"

namespace vex {

namespace {

// The number a caption starts with, as a whole 32-bit score (0 when there is none).
std::int32_t score_of(const Label& label) { return round_to_int32(leading_number(label.Caption)); }

}  // namespace

// Runs when a Vexoid (wave variant) or the boss reached the ship, inside the attacker's tick.
void Form1::ShipLost(ShipLossVariant variant) {
    tmLeft.Enabled = false;
    tmRight.Enabled = false;
    PlaySound("\\sounds\\hit.wav");
    const double lives = LabelValue(lblLives);
    if (lives != 0) {
        SetLabelValue(lblLives, lives - 1);
        runtime().message_box(variant == ShipLossVariant::Wave ? "A Ravuv Vexoid Has Killed your space Ship!"
                                                               : "The Evil Boss Has Killed Your Ravuv Ship!",
                              MessageIcon::Critical, message_title);
        return;
    }

    Label8.Visible = true;
    tmBrit.Enabled = false;
    if (variant == ShipLossVariant::Boss) {
        tmBady.Enabled = false;
    }
    const std::int32_t score = score_of(lblScore);
    m_final_score = score;
    const std::int32_t high_score = score_of(lblHiscore);
    PlaySound("\\sounds\\gameover.wav");
    runtime().message_box("GAME OVER", MessageIcon::Information, message_title);
    if (score > high_score) {
        PlaySound("\\sounds\\hiscore.wav");
        runtime().message_box("NEW HI SCORE!", MessageIcon::Critical, message_title);
        SaveHighScore();
    }
    if (variant == ShipLossVariant::Wave) {
        lblScore.Caption = "0";
        lblLives.Caption = "2";
    }
    // The record shown is always what the file holds.
    LoadHighScore();
}

// While a game runs, its score so far; after it, the score it ended with.
ReplayResult Form1::session_result() const {
    ReplayResult result;
    result.score = m_final_score.value_or(score_of(lblScore));
    result.record = score_of(lblHiscore);
    result.level = intLevel;
    result.ships = score_of(lblLives);
    return result;
}

}  // namespace vex
