#include "platform/sdl/hit_test.h"

#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace vex {
namespace {

// Auto-size labels measured as 7 px per character.
int seven_per_char(const Label& label) { return static_cast<int>(label.Caption.size()) * 7; }

struct ClickCase {
    const char* name;
    std::function<void(Form1&)> arrange;
    int x;
    int y;
    std::function<Label*(Form1&)> expected;
};

class LabelAt : public ::testing::TestWithParam<ClickCase> {
protected:
    testing::LoadedGame game;
};

TEST_P(LabelAt, FindsTheTopmostShownLabel) {
    const ClickCase& c = GetParam();
    c.arrange(game.form);
    EXPECT_EQ(label_at(game.form, c.x, c.y, seven_per_char), c.expected(game.form));
}

const auto nothing_changed = [](Form1&) {};
const auto no_label = [](Form1&) -> Label* { return nullptr; };

void show_about(Form1& form) {
    form.Frame1.Visible = true;
    form.Label4.Visible = true;
    form.Label5.Visible = true;
}

// Pixel rectangles: Label3 "Exit" (512, 240, 65 x 25); Label1 "Instructions" (512, 184, 65 x 25);
// Frame1 (120, 56, 265 x 185) holding Label4 at (136, 88, 233 x 105) and Label5 "OK" at
// (232, 200, 49 x 25); Label8 "GAME OVER" (40, 136, 417 x 81); lblPlayer at (504, 8).
INSTANTIATE_TEST_SUITE_P(
    Cases, LabelAt,
    ::testing::Values(
        ClickCase{"exit_top_left", nothing_changed, 512, 240, [](Form1& f) { return &f.Label3; }},
        ClickCase{"exit_bottom_right", nothing_changed, 576, 264, [](Form1& f) { return &f.Label3; }},
        ClickCase{"just_right_of_exit", nothing_changed, 577, 250, no_label},
        ClickCase{"just_below_exit", nothing_changed, 540, 265, no_label},
        ClickCase{"instructions", nothing_changed, 540, 190, [](Form1& f) { return &f.Label1; }},
        ClickCase{"hidden_label", [](Form1& f) { f.Label3.Visible = false; }, 540, 250, no_label},
        ClickCase{"playfield", nothing_changed, 300, 300, no_label},
        ClickCase{"ok_in_shown_frame", show_about, 240, 210, [](Form1& f) { return &f.Label5; }},
        ClickCase{"ok_in_hidden_frame",
                  [](Form1& f) {
                      show_about(f);
                      f.Frame1.Visible = false;
                  },
                  240, 210, no_label},
        ClickCase{"frame_covers_label_beneath",
                  [](Form1& f) {
                      show_about(f);
                      f.Label8.Visible = true;
                  },
                  125, 200, no_label},
        ClickCase{"label_beside_frame",
                  [](Form1& f) {
                      show_about(f);
                      f.Label8.Visible = true;
                  },
                  420, 180, [](Form1& f) { return &f.Label8; }},
        ClickCase{"sprite_covers_label",
                  [](Form1& f) {
                      f.imgShip.Left = 7680;
                      f.imgShip.Top = 3600;
                  },
                  520, 250, no_label},
        ClickCase{"auto_size_inside_caption",
                  [](Form1& f) { f.lblPlayer.Caption = "abcdef"; }, 504 + 43, 10,
                  [](Form1& f) { return &f.lblPlayer; }},
        ClickCase{"auto_size_past_caption", [](Form1& f) { f.lblPlayer.Caption = "abcdef"; }, 504 + 44, 10,
                  no_label}),
    [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace vex
