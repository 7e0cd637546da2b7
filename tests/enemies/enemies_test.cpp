#include "tests/support/game_fixture.h"

#include <array>
#include <cmath>
#include <tuple>

namespace vex {
namespace {

using Places = std::vector<float>;  // the Lefts of the four Vexoids, then their Tops
constexpr double unused_draw = 0.123;  // injected after the draws a tick may take

// A running game with every Vexoid parked top right, far from the ship (Left 3000, Top 6480,
// 585 x 1050), and the draws of the next tick, followed by one too many.
struct EnemyGame : testing::RunningGame {
    explicit EnemyGame(std::vector<double> draws = {}) {
        testing::set_wave_places(form, {6500, 6500, 6500, 6500, 0, 0, 0, 0});
        draws.push_back(unused_draw);
        runtime.inject_random(draws);
    }
};

// A contact costs a life at once: the Vexoid goes up to the top edge, the ship stops, and the
// tick ends without a draw.
TEST(Wave, ContactNeedsEveryEdgeStrictlyCrossed) {
    const auto b1 = &Form1::imgBrit1, b2 = &Form1::imgBrit2, b3 = &Form1::imgBrit3, b4 = &Form1::imgBrit4;
    const std::vector<std::tuple<const char*, Image Form1::*, float, float, bool, bool>> rows{
        // what, Vexoid, Left, Top, boss up, contact
        {"bottom edge on the ship's top", b1, 2500, 5430, false, false}, {"one twip lower", b1, 2500, 5431, false, true},
        {"top edge on the ship's bottom", b2, 2500, 7530, false, false}, {"one twip higher", b2, 2500, 7529, false, true},
        {"left edge on the ship's left edge", b3, 3000, 6000, false, false}, {"one twip left", b3, 2999, 6000, false, true},
        {"right edge on the ship's left edge", b4, 2235, 6000, false, false}, {"one twip right", b4, 2236, 6000, false, true},
        {"covering only the ship's right part", b2, 3100, 6000, false, false},
        {"overlapping while the boss is up", b1, 2500, 6000, true, false},
    };
    for (const auto& [what, vexoid, left, top, boss_up, contact] : rows) {
        SCOPED_TRACE(what);
        EnemyGame game({0.5, 0.5, 0.5, 0.5});
        Form1& form = game.form;
        testing::place(form.*vexoid, left, top);
        form.imgBady.Visible = boss_up;
        form.tmLeft.Enabled = true;
        form.intSpeedScore = 77;
        game.answer(contact ? 1 : 0);
        form.tmBrit_Timer();
        EXPECT_EQ(form.lblLives.Caption, contact ? "1" : "2");
        EXPECT_EQ(std::make_tuple((form.*vexoid).Top, bool(form.tmLeft.Enabled), form.intSpeedScore),
                  contact ? std::make_tuple(0.0F, false, std::int16_t{77}) : std::make_tuple(top + 75, true, std::int16_t{75}));
        EXPECT_EQ(game.runtime.random(), contact ? 0.5 : unused_draw) << "draws taken";
        EXPECT_TRUE(!contact || (form.*vexoid).Left == left) << "the Vexoid goes up where it touched";
    }
}

TEST(Wave, MovingTickTidiesWrapsCorrectsFallsAndHomes) {
    const std::vector<std::tuple<const char*, Places, std::int16_t, std::vector<double>, Places>> rows{
        // what, places, speed limit, draws, places after
        {"only a Top past 8000 wraps, before the fall", {1000, 1000, 1000, 1000, 8000, 8010, 100, 8001}, 150,
         {0.5, 0.1, 0.0, 0.999}, {1045, 1045, 1045, 1050, 8075, 15, 100, 149}},
        {"Vexoid 1 alone is pushed back from the left edge", {-20, -20, 5000, 5000, 100, 100, 100, 100}, 150,
         {0, 0, 0, 0}, {225, 25, 4955, 4950, 100, 100, 100, 100}},
        {"Vexoid 1 at Left 0 needs no push", {0, 4000, 4000, 4000, 100, 100, 100, 100}, 150, {0, 0, 0, 0},
         {45, 3955, 3955, 3950, 100, 100, 100, 100}},
        {"level with the ship: Vexoid 1 keeps step 0, Vexoid 4 takes 45", {3000, 1000, 3000, 3000, 100, 100, 100, 100},
         150, {0, 0, 0, 0}, {3000, 1045, 3045, 3045, 100, 100, 100, 100}},
        {"level with the ship: the step carried is a left step", {4000, 3000, 5000, 3000, 100, 100, 100, 100}, 150,
         {0, 0, 0, 0}, {3955, 2955, 4955, 2955, 100, 100, 100, 100}},
        {"the fall is bounded by the level's speed limit", {1000, 1000, 1000, 1000, 100, 100, 100, 100}, 200,
         {0.999, 0.5, 0.25, 0.1}, {1045, 1045, 1045, 1050, 299, 200, 150, 120}},
    };
    for (const auto& [what, places, speed_limit, draws, places_after] : rows) {
        SCOPED_TRACE(what);
        EnemyGame game(draws);
        Form1& form = game.form;
        testing::set_wave_places(form, places);
        // What every tick hides first: both info panels and "GAME OVER".
        form.Frame1.Visible = form.Label4.Visible = form.Label5.Visible = form.Frame2.Visible = form.Label6.Visible =
            form.Label7.Visible = form.Label8.Visible = true;
        form.intSpeedLimit = speed_limit;
        form.tmBrit_Timer();
        EXPECT_EQ(testing::wave_places(form), places_after);
        EXPECT_EQ(form.intSpeedScore, std::floor(draws[3] * speed_limit)) << "Vexoid 4's fall";
        EXPECT_EQ(game.runtime.random(), unused_draw) << "one draw per Vexoid";
        EXPECT_FALSE(form.Frame1.Visible || form.Label4.Visible || form.Label5.Visible || form.Frame2.Visible ||
                     form.Label6.Visible || form.Label7.Visible || form.Label8.Visible);
    }
}

TEST(Boss, TickWrapsCatchesOrChases) {
    const std::vector<std::tuple<const char*, bool, float, float, bool, float, float>> rows{
        // what, game running, Left, Top, contact, Left and Top after; the boss is 2460 x 1995
        {"Top 8000 is not wrapped", true, 1000, 8000, false, 1035, 8100},
        {"Top 8001 restarts at the top edge before the drop", true, 1000, 8001, false, 1035, 100},
        {"halted: the wrap still runs, nothing else", false, 1000, 8001, false, 1000, 0},
        {"halted: on the ship, neither caught nor moved", false, 2000, 6000, false, 2000, 6000},
        {"bottom edge on the ship's top", true, 2000, 4485, false, 2035, 4585}, {"one twip lower", true, 2000, 4486, true, 2000, 0},
        {"top edge on the ship's bottom", true, 2000, 7530, false, 2035, 7630}, {"one twip higher", true, 2000, 7529, true, 2000, 0},
        {"left edges equal: not caught, drops straight down", true, 3000, 6000, false, 3000, 6100},
        {"right edge on the ship's left edge", true, 540, 6000, false, 575, 6100}, {"one twip right", true, 541, 6000, true, 541, 0},
        {"chases a ship to its left", true, 5000, 1000, false, 4965, 1100},
    };
    for (const auto& [what, running, left, top, contact, new_left, new_top] : rows) {
        SCOPED_TRACE(what);
        EnemyGame game({0.5});  // a drop of 100
        Form1& form = game.form;
        form.imgBady.Visible = true;
        form.tmBady.Enabled = true;
        form.tmBrit.Enabled = running;
        testing::place(form.imgBady, left, top);
        form.intSpeedScore = 77;
        game.answer(contact ? 1 : 0);
        form.tmBady_Timer();
        EXPECT_EQ(std::make_pair(form.imgBady.Left, form.imgBady.Top), std::make_pair(new_left, new_top));
        const bool moved = running && !contact;
        EXPECT_EQ(std::make_pair(form.intSpeedScore, game.runtime.random()),
                  std::make_pair(std::int16_t(moved ? 100 : 77), moved ? unused_draw : 0.5));
        EXPECT_EQ(form.lblLives.Caption + (form.tmBady.Enabled ? " hunting" : ""), contact ? "1 hunting" : "2 hunting");
    }
}

// Line5 to Line10 fall 80, 75, 50, 90, 45 and 75 a tick. All restarts come before any move, so a
// streak past 8000 restarts at the top and moves in the same tick; one at 8000 moves on.
TEST(Starfield, StreaksFallAtTheirOwnSpeedAndRestartOnlyPast8000) {
    testing::LoadedGame game;
    Form1& f = game.form;
    const std::array<Line*, 6> streaks{&f.Line5, &f.Line6, &f.Line7, &f.Line8, &f.Line9, &f.Line10};
    const std::array<float, 6> x{1800, 3240, 4800, 480, 6600, 5520}, y1{8000, 8001, 7999, 8001, 7956, 8500};
    for (std::size_t i = 0; i < streaks.size(); ++i) {
        streaks[i]->Y1 = y1[i];
        streaks[i]->Y2 = y1[i] + 100;
    }
    for (const std::array<float, 6>& expected : {std::array<float, 6>{8080, 75, 8049, 90, 8001, 75}, {80, 150, 50, 180, 45, 150}}) {
        f.tmSpace_Timer();
        for (std::size_t i = 0; i < streaks.size(); ++i) {
            const Line& line = *streaks[i];
            const float y2 = expected[i] + 100;
            EXPECT_EQ(std::tie(line.X1, line.Y1, line.X2, line.Y2), std::tie(x[i], expected[i], x[i], y2)) << line.name();
        }
    }
}

}  // namespace
}  // namespace vex
