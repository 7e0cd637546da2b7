// The label a mouse click lands on.
#include "platform/layout/hit_test.h"

#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace vex {
namespace {

// Pixel rectangles: Label3 "Exit" (512, 240, 65 x 25); Label1 "Instructions" (512, 184, 65 x 25);
// Frame1 (120, 56, 265 x 185) holding Label5 "OK" at (232, 200, 49 x 25); Label8 "GAME OVER"
// (40, 136, 417 x 81); lblPlayer at (504, 8), its width measured here as 7 px a character.
TEST(LabelAt, TheTopmostShownControlTakesTheClick) {
    const auto same = [](Form1&) {};
    const auto about = [](Form1& f) { f.Frame1.Visible = f.Label4.Visible = f.Label5.Visible = true; };
    const auto about_over_game_over = [&](Form1& f) { about(f); f.Label8.Visible = true; };
    const auto player_abcdef = [](Form1& f) { f.lblPlayer.Caption = "abcdef"; };
    // What is changed, where the click lands, and the label it lands on (none: nullptr).
    const std::tuple<const char*, std::function<void(Form1&)>, int, int, Label Form1::*> cases[] = {
        {"exit top left", same, 512, 240, &Form1::Label3},
        {"exit bottom right", same, 576, 264, &Form1::Label3},
        {"right of exit", same, 577, 250, nullptr},
        {"below exit", same, 540, 265, nullptr},
        {"hidden label", [](Form1& f) { f.Label3.Visible = false; }, 540, 250, nullptr},
        {"playfield", same, 300, 300, nullptr},
        {"ok in shown frame", about, 240, 210, &Form1::Label5},
        {"ok in hidden frame", [&](Form1& f) { about(f); f.Frame1.Visible = false; }, 240, 210, nullptr},
        {"frame over a label", about_over_game_over, 125, 200, nullptr},
        {"label beside the frame", about_over_game_over, 420, 180, &Form1::Label8},
        {"ship over a label", [](Form1& f) { f.imgShip.Left = 7680; f.imgShip.Top = 3600; }, 520, 250, nullptr},
        {"inside an auto-size caption", player_abcdef, 504 + 43, 10, &Form1::lblPlayer},
        {"past an auto-size caption", player_abcdef, 504 + 44, 10, nullptr}};
    const auto seven_per_char = [](const Label& label) { return static_cast<int>(label.Caption.size()) * 7; };
    for (const auto& [name, arrange, x, y, label] : cases) {
        testing::LoadedGame game;
        arrange(game.form);
        EXPECT_EQ(label_at(game.form, x, y, seven_per_char), label != nullptr ? &(game.form.*label) : nullptr) << name;
    }
}

}  // namespace
}  // namespace vex
