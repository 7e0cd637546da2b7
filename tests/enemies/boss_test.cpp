#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

constexpr double drop_draw = 0.5;  // a drop of 100 twips
constexpr double unused_draw = 0.123;

// The ship stands at its design place: Left 3000, Top 6480, 585 x 1050. The boss is 2460 x 1995.
TEST(Boss, TickWrapsCatchesOrChases) {
    struct Row {
        const char* what;
        bool running;
        float left, top;
        bool contact;
        float new_left, new_top;
    };
    const std::vector<Row> rows{
        {"Top 8000 is not wrapped", true, 1000, 8000, false, 1035, 8100},
        {"Top 8001 restarts at the top edge before the drop", true, 1000, 8001, false, 1035, 100},
        {"halted game: the wrap still runs, nothing else", false, 1000, 8001, false, 1000, 0},
        {"halted game: on the ship, neither caught nor moved", false, 2000, 6000, false, 2000, 6000},
        {"bottom edge on the ship's top", true, 2000, 4485, false, 2035, 4585},
        {"bottom edge one twip past the ship's top", true, 2000, 4486, true, 2000, 0},
        {"top edge on the ship's bottom", true, 2000, 7530, false, 2035, 7630},
        {"top edge one twip above the ship's bottom", true, 2000, 7529, true, 2000, 0},
        {"left edges equal: not caught, drops straight down", true, 3000, 6000, false, 3000, 6100},
        {"ship's left edge on the boss's right edge", true, 540, 6000, false, 575, 6100},
        {"ship's left edge one twip inside the right edge", true, 541, 6000, true, 541, 0},
        {"chases a ship to its left", true, 5000, 1000, false, 4965, 1100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game;
        Form1& form = game.form;
        game.start_game();
        game.new_sounds();
        form.imgBady.Visible = true;
        form.tmBady.Enabled = true;
        form.tmBrit.Enabled = row.running;
        form.imgBady.Left = row.left;
        form.imgBady.Top = row.top;
        form.intSpeedScore = 77;
        game.runtime.inject_random({drop_draw, unused_draw});
        if (row.contact) {
            game.runtime.answer_message_box();
        }
        form.tmBady_Timer();

        EXPECT_EQ(form.imgBady.Left, row.new_left);
        EXPECT_EQ(form.imgBady.Top, row.new_top);
        const bool moved = row.running && !row.contact;
        EXPECT_EQ(form.intSpeedScore, moved ? 100 : 77);
        EXPECT_EQ(game.runtime.random(), moved ? unused_draw : drop_draw) << "draws taken";
        EXPECT_EQ(form.lblLives.Caption, row.contact ? "1" : "2");
        EXPECT_EQ(game.new_sounds(), row.contact ? std::vector<std::string>{"hit.wav"} : std::vector<std::string>{});
        if (row.contact) {
            const auto& box = game.runtime.dialogs().back();
            EXPECT_EQ(box.text + " / " + box.title, "The Evil Boss Has Killed Your Ravuv Ship! / Game Info");
            EXPECT_EQ(box.icon, MessageIcon::Critical);
            EXPECT_TRUE(form.tmBady.Enabled) << "the boss hunts on";
        }
    }
}

}  // namespace
}  // namespace vex
