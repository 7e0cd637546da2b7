#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace vex {
namespace {

using Sounds = std::vector<std::string>;
constexpr float line8_speed = 90;  // the starfield streak used as a clock of the game

std::array<Shot, 3> slots(Form1& form) { return {form.shot1(), form.shot2(), form.shot3()}; }

TEST(Keyboard, FireTakesTheSlotThatTheTimersAllow) {
    struct Row {
        const char* what;
        std::array<bool, 3> busy;
        int launched;  // slot number, 0 for none
    };
    const std::vector<Row> rows{
        {"all free", {false, false, false}, 1},   {"slot 1 busy", {true, false, false}, 2},
        {"slot 2 busy", {false, true, false}, 3}, {"slots 1 and 2 busy", {true, true, false}, 3},
        {"slot 3 busy", {false, false, true}, 0}, {"slots 1 and 3 busy", {true, false, true}, 0},
        {"all busy", {true, true, true}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game;
        game.start_game();
        game.new_sounds();
        for (int i = 0; i < 3; ++i) {
            slots(game.form)[i].timer.Enabled = row.busy[i];
        }
        const auto before = testing::snapshot(game.form, "lblShots");
        game.runtime.key_down(keys::control);

        EXPECT_EQ(game.form.lblShots.Caption, "1") << "every press counts, launched or not";
        EXPECT_EQ(game.new_sounds(), row.launched ? Sounds{"pop2.wav"} : Sounds{});
        for (int i = 0; i < 3; ++i) {
            const Shot shot = slots(game.form)[i];
            if (i + 1 == row.launched) {
                EXPECT_TRUE(shot.timer.Enabled);
                EXPECT_TRUE(shot.line.Visible);
                EXPECT_EQ(shot.line.Y1, 6480) << "slot " << i + 1;
            } else {
                EXPECT_EQ(bool(shot.timer.Enabled), row.busy[i]) << "slot " << i + 1;
                EXPECT_FALSE(shot.line.Visible) << "slot " << i + 1;
            }
        }
        if (row.launched == 0) {
            EXPECT_EQ(testing::snapshot(game.form, "lblShots"), before);
        }
    }
}

class Keys : public testing::GameTest {};

TEST_F(Keys, FirstShotOfAGameStandsOnTheShipsTopCentre) {
    game.start_game();
    form.imgShip.Left = 1000;
    runtime.key_down(keys::control);
    EXPECT_EQ(form.lblShots.Caption, "1");
    EXPECT_EQ(form.lblAcc.Caption, "0%");
    EXPECT_EQ(form.Line2.X1, 1292.5F);
    EXPECT_EQ(form.Line2.X2, 1292.5F);
    EXPECT_EQ(form.Line2.Y1, 6480);
    EXPECT_EQ(form.Line2.Y2, 6630);
}

TEST(Keyboard, KeysThatMustChangeNothing) {
    struct Row {
        const char* what;
        bool running;
        std::int16_t key;
    };
    const std::vector<Row> rows{
        {"Ctrl before any game", false, keys::control}, {"left arrow before any game", false, keys::left},
        {"right arrow before any game", false, keys::right}, {"S during a game", true, keys::s},
        {"another key during a game", true, 65},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game;
        if (row.running) {
            game.start_game();
            game.form.lblScore.Caption = "70";
        }
        game.new_sounds();
        const auto before = testing::snapshot(game.form);
        game.runtime.key_down(row.key);
        EXPECT_EQ(testing::snapshot(game.form), before);
        EXPECT_TRUE(game.new_sounds().empty());
    }
}

TEST(Keyboard, HoldingAnArrowSlidesTheShipToItsLimit) {
    struct Row {
        std::int16_t key;
        int ticks;
        float left;
    };
    const std::vector<Row> rows{
        {keys::left, 29, 100}, {keys::left, 30, 0},    {keys::left, 31, -100}, {keys::left, 45, -100},
        {keys::right, 40, 7000}, {keys::right, 41, 7100}, {keys::right, 50, 7100},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.key) + " held for " + std::to_string(row.ticks) + " ticks");
        testing::LoadedGame game;
        game.start_game();
        game.runtime.inject_random(std::vector<double>(4 * row.ticks, 0.0));  // the wave falls not at all
        for (int tick = 0; tick < row.ticks; ++tick) {
            game.runtime.key_down(row.key);  // the key's automatic repeat
            game.runtime.advance(1);
        }
        EXPECT_EQ(game.form.imgShip.Left, row.left);
        EXPECT_EQ(game.form.imgShip.Top, 6480);
    }
}

TEST_F(Keys, ReleasingAnArrowStopsItsTimerAlsoWithNoGame) {
    game.start_game();
    runtime.key_down(keys::left);
    runtime.key_down(keys::right);
    runtime.click(form.Label1);  // the instructions panel halts the game
    ASSERT_FALSE(form.tmBrit.Enabled);
    runtime.key_up(keys::left);
    EXPECT_FALSE(form.tmLeft.Enabled);
    EXPECT_TRUE(form.tmRight.Enabled);
    runtime.key_up(keys::right);
    EXPECT_FALSE(form.tmRight.Enabled);
}

TEST_F(Keys, NewGameStartsWhereTheShipWasLeft) {
    game.start_game();
    form.imgShip.Left = 5100;
    runtime.click(form.Label2);  // the about panel halts the game
    game.start_game();
    EXPECT_EQ(form.imgShip.Left, 5100);
    EXPECT_EQ(form.lblScore.Caption, "0");
}

// While a cue plays nothing moves: the clock jumps by the sound's length, and the next round
// moves the starfield one step only.
TEST(Keyboard, GameStandsStillWhileAKeysCuePlays) {
    struct Row {
        const char* what;
        std::function<void(testing::LoadedGame&)> press;
        Sounds cues;
    };
    const std::vector<Row> rows{
        {"S", [](testing::LoadedGame& g) { g.runtime.key_down(keys::s); }, {"airraid.wav"}},
        {"Ctrl",
         [](testing::LoadedGame& g) {
             g.start_game();
             g.new_sounds();
             g.runtime.key_down(keys::control);
         },
         {"pop2.wav"}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game;
        const float streak = game.form.Line8.Y1;
        row.press(game);
        const auto clock = game.runtime.now();
        ASSERT_EQ(game.new_sounds(), row.cues);
        const auto& cue = game.runtime.sounds().back();
        EXPECT_GT(cue.length, 0U) << "the cue has no length: is data/sounds there?";
        EXPECT_EQ(clock, cue.tick + cue.length);
        EXPECT_EQ(game.form.Line8.Y1, streak);
        game.runtime.advance(1);
        EXPECT_EQ(game.form.Line8.Y1, streak + line8_speed);
    }
}

}  // namespace
}  // namespace vex
