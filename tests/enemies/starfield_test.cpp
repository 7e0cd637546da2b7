#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace vex {
namespace {

struct Streak {
    Line Form1::*line;
    float x, speed;
};
const std::vector<Streak> streaks{{&Form1::Line5, 1800, 80}, {&Form1::Line6, 3240, 75}, {&Form1::Line7, 4800, 50},
                                  {&Form1::Line8, 480, 90},  {&Form1::Line9, 6600, 45}, {&Form1::Line10, 5520, 75}};

TEST(Starfield, StreakRestartsAtTheTopOnlyPast8000) {
    struct Row {
        const char* what;
        std::size_t streak;
        float y1;
        std::vector<float> y1_after;  // one per tick
    };
    const std::vector<Row> rows{
        {"Line8 at 8000 moves on, then restarts", 3, 8000, {8090, 90, 180}},
        {"Line8 past 8000 restarts and moves in the same tick", 3, 8001, {90, 180}},
        {"Line5 crossing 8000 restarts on the next tick", 0, 7999, {8079, 80}},
        {"Line6 restarts at its own speed", 1, 8001, {75}},
        {"Line7 restarts at its own speed", 2, 8001, {50}},
        {"Line9 lands one past 8000", 4, 7956, {8001, 45}},
        {"Line10 restarts at its own speed", 5, 8500, {75}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game;
        Line& line = game.form.*streaks[row.streak].line;
        line.Y1 = row.y1;
        line.Y2 = row.y1 + 100;
        for (const float expected : row.y1_after) {
            game.form.tmSpace_Timer();
            EXPECT_EQ(line.Y1, expected);
            EXPECT_EQ(line.Y2, expected + 100);
        }
    }
}

// Under a panel it moves as well: see the info panels' tests.
TEST(Starfield, MovesWithNoGameAndKeepsItsShape) {
    testing::LoadedGame game;
    game.runtime.advance(10);
    EXPECT_EQ(game.form.Line8.Y1, 360 + 10 * 90);
    game.runtime.advance(1000);
    for (const Streak& streak : streaks) {
        const Line& line = game.form.*streak.line;
        EXPECT_EQ((std::vector<float>{line.X1, line.X2, line.Y2 - line.Y1}), (std::vector<float>{streak.x, streak.x, 100}))
            << line.name();
        EXPECT_TRUE(line.Y1 > 0 && line.Y1 <= 8000 + streak.speed) << line.name();
    }
}

}  // namespace
}  // namespace vex
