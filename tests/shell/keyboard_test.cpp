#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <tuple>
#include <vector>

namespace vex {
namespace {

using Sounds = std::vector<std::string>;
using Busy = std::array<bool, 3>;

TEST(Keyboard, FireCountsEveryPressAndTakesTheSlotTheTimersAllow) {
    const std::vector<std::tuple<const char*, Busy, int>> rows{
        {"all free", {false, false, false}, 1},  {"slot 1 busy", {true, false, false}, 2},
        {"slot 2 busy", {false, true, false}, 3}, {"slots 1 and 2 busy", {true, true, false}, 3},
        {"slot 3 busy", {false, false, true}, 0}, {"slots 1 and 3 busy", {true, false, true}, 0},
        {"all busy", {true, true, true}, 0},
    };
    for (const auto& [what, busy, launched] : rows) {
        SCOPED_TRACE(what);
        testing::LoadedGame game;
        game.start_game();
        game.new_sounds();
        game.form.imgShip.Left = 1000;
        const std::array<Shot, 3> slots{game.form.shot1(), game.form.shot2(), game.form.shot3()};
        for (int i = 0; i < 3; ++i) {
            slots[i].timer.Enabled = busy[i];
        }
        const auto before = testing::snapshot(game.form, "lblShots");
        game.runtime.key_down(keys::control);

        EXPECT_EQ(game.form.lblShots.Caption, "1");
        EXPECT_EQ(game.form.lblAcc.Caption, "0%");
        EXPECT_EQ(game.new_sounds(), launched ? Sounds{"pop2.wav"} : Sounds{});
        if (launched == 0) {
            EXPECT_EQ(testing::snapshot(game.form, "lblShots"), before);
            continue;
        }
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(slots[i].line.Visible, i + 1 == launched) << "slot " << i + 1;
            EXPECT_EQ(bool(slots[i].timer.Enabled), busy[i] || i + 1 == launched) << "slot " << i + 1;
        }
        const Line& line = slots[launched - 1].line;
        EXPECT_EQ(std::make_tuple(line.X1, line.Y1, line.X2, line.Y2), std::make_tuple(1292.5F, 6480.0F, 1292.5F, 6630.0F));
    }
}

TEST(Keyboard, KeysThatChangeNothing) {
    const std::vector<std::tuple<const char*, bool, std::int16_t>> rows{
        {"Ctrl before any game", false, keys::control},
        {"left arrow before any game", false, keys::left},
        {"right arrow before any game", false, keys::right},
        {"S during a game", true, keys::s},
        {"another key during a game", true, 65},
    };
    for (const auto& [what, running, key] : rows) {
        SCOPED_TRACE(what);
        testing::LoadedGame game;
        if (running) {
            game.start_game();
            game.form.lblScore.Caption = "70";
        }
        game.new_sounds();
        const auto before = testing::snapshot(game.form);
        game.runtime.key_down(key);
        EXPECT_EQ(testing::snapshot(game.form), before);
        EXPECT_TRUE(game.new_sounds().empty());
    }
}

TEST(Keyboard, HoldingAnArrowSlidesTheShipToItsLimit) {
    const std::vector<std::tuple<std::int16_t, int, float>> rows{
        {keys::left, 29, 100},   {keys::left, 30, 0},     {keys::left, 31, -100}, {keys::left, 45, -100},
        {keys::right, 40, 7000}, {keys::right, 41, 7100}, {keys::right, 50, 7100},
    };
    for (const auto& [key, ticks, left] : rows) {
        SCOPED_TRACE(std::to_string(key) + " held for " + std::to_string(ticks) + " ticks");
        testing::LoadedGame game;
        game.start_game();
        game.runtime.inject_random(std::vector<double>(4 * ticks, 0.0));  // the wave does not fall
        for (int tick = 0; tick < ticks; ++tick) {
            game.runtime.key_down(key);  // the key's automatic repeat
            game.runtime.advance(1);
        }
        EXPECT_EQ(game.form.imgShip.Left, left);
    }
}

class Keys : public testing::GameTest {};

TEST_F(Keys, ReleasingAnArrowStopsItsTimerAlsoWithNoGame) {
    game.start_game();
    runtime.key_down(keys::left);
    runtime.key_down(keys::right);
    runtime.click(form.Label1);  // the instructions panel halts the game
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
}

// While a cue plays nothing moves: the clock jumps by the sound's length, and the next round
// moves the starfield (Line8, 90 twips a tick) one step only.
TEST(Keyboard, GameStandsStillWhileAKeysCuePlays) {
    const std::vector<std::tuple<std::int16_t, const char*>> rows{{keys::s, "airraid.wav"}, {keys::control, "pop2.wav"}};
    for (const auto& [key, cue] : rows) {
        SCOPED_TRACE(cue);
        testing::LoadedGame game;
        if (key == keys::control) {
            game.start_game();
            game.new_sounds();
        }
        const float streak = game.form.Line8.Y1;
        game.runtime.key_down(key);
        ASSERT_EQ(game.new_sounds(), Sounds{cue});
        const auto& sound = game.runtime.sounds().back();
        EXPECT_GT(sound.length, 0U) << "the cue has no length: is data/sounds there?";
        EXPECT_EQ(game.runtime.now(), sound.tick + sound.length);
        EXPECT_EQ(game.form.Line8.Y1, streak);
        game.runtime.advance(1);
        EXPECT_EQ(game.form.Line8.Y1, streak + 90);
    }
}

}  // namespace
}  // namespace vex
