#include "tests/support/game_fixture.h"

#include <cstdint>
#include <tuple>

namespace vex {
namespace {

// A running game with the wave at its start places (imgBrit1 700, imgBrit2 2240, imgBrit3 4000,
// imgBrit4 5920, all at Top 600), 10 shots fired and, if asked, the boss called up; shot 1 is under
// the test's control.
struct ShotGame : testing::RunningGame {
    explicit ShotGame(bool boss = false) {
        form.lblShots.Caption = "10";
        if (boss) {
            form.SummonBoss();
        }
    }
    // Stands shot 1 in flight with its tip at (x, y) and runs one tick of it.
    void shoot_at(float x, float y) {
        testing::aim_shot(form, x, y);
        form.tmFire1_Timer();
    }
};

// A hit is a tip strictly inside a shown target's box: a Vexoid hit ends the shot where it is, a
// boss hit pushes the boss up and the shot still steps. A shot that hits nothing steps 300 up; past
// the top edge it stops, after one more step if the game runs.
TEST(Shots, TickHitsStrictlyInsideAShownTargetOrStepsUp) {
    const Image Form1::*none = nullptr;
    const auto b1 = &Form1::imgBrit1, b3 = &Form1::imgBrit3, boss = &Form1::imgBady;
    const std::vector<std::tuple<const char*, bool, bool, float, float, const Image Form1::*, bool, float>> rows{
        // what, boss up, game running, tip x and y, target hit, still flying, tip y after
        {"on imgBrit1's left edge", false, true, 700, 1000, none, true, 700}, {"inside", false, true, 701, 1000, b1, false, 1000},
        {"on its right edge", false, true, 1615, 1000, none, true, 700}, {"inside", false, true, 1614, 1000, b1, false, 1000},
        {"on its top edge", false, true, 1000, 600, none, true, 300}, {"inside", false, true, 1000, 601, b1, false, 601},
        {"on its bottom edge", false, true, 1000, 1650, none, true, 1350}, {"inside", false, true, 1000, 1649, b1, false, 1649},
        {"1100 below imgBrit3's top", false, true, 4300, 1700, b3, false, 1700},
        {"950 below imgBrit2's top", false, true, 2700, 1550, none, true, 1250},
        {"on the boss's left edge", true, true, 2700, 1500, none, true, 1200},
        {"on the boss's bottom edge", true, true, 3000, 2795, none, true, 2495},
        {"inside the boss's corner", true, true, 2701, 2794, boss, false, 2494},
        {"a Vexoid hidden behind the boss", true, true, 1000, 1000, none, true, 700},
        {"the hidden boss at its start-up place", false, true, 1000, 6000, none, true, 5700},
        {"last tip in the playfield", false, true, 7300, 180, none, true, -120},
        {"tip exactly on the top edge", false, true, 7300, 0, none, true, -300},
        {"tip past the edge: stopped, stepped once more", false, true, 7300, -120, none, false, -420},
        {"game halted: hangs where it is", false, false, 1000, 1000, none, true, 1000},
        {"past the edge with the game halted: stopped where it is", false, false, 7300, -120, none, false, -120},
    };
    for (const auto& [what, boss_up, running, x, y, target, flying, y_after] : rows) {
        SCOPED_TRACE(::testing::Message() << what << " (" << x << ", " << y << ")");
        ShotGame game(boss_up);
        Form1& form = game.form;
        const auto places = testing::wave_places(form);
        const float boss_top = form.imgBady.Top;
        form.tmBrit.Enabled = running;
        game.runtime.inject_random({0.5});
        game.shoot_at(x, y);
        EXPECT_EQ(std::make_tuple(bool(form.tmFire1.Enabled), form.Line2.Y1, form.Line2.Y2, form.Line2.Visible, form.lblHits.Caption,
                                  form.imgBady.Top),
                  std::make_tuple(flying, y_after, y_after + 150, target == none, std::string(target ? "1" : "0"),
                                  target == boss ? boss_top - 10 : boss_top));
        EXPECT_EQ(testing::wave_places(form) == places, target == none || target == boss);
        EXPECT_TRUE(target == none || target == boss || (form.*target).Top == 0);
    }
}

// The hit scores the last fall drawn, which may be 0, and updates the accuracy unless no shot is
// counted (a shot left over from an earlier game); only a score past the threshold calls the boss.
// Of two Vexoids under the tip only the earlier is hit.
TEST(Shots, VexoidHitRespawnsItScoresAndMayCallTheBoss) {
    const std::vector<std::tuple<const char*, const char*, std::int16_t, double, float, const char*>> rows{
        // score, shots before, points, draw, new Left, scoreboard after and whether the boss came
        {"100", "3", 0, 0.0, 0, "score=100 hits=1 shots=3 acc=33% lives=2 bady=50"},
        {"100", "0", 149, 0.99999999, 6999, "score=249 hits=1 shots=0 acc=0% lives=2 bady=50"},
        {"4990", "100", 10, 0.5, 3500, "score=5000 hits=1 shots=100 acc=1% lives=2 bady=50"},
        {"1234530", "10", 37, 0.5, 3500, "score=1234567 hits=1 shots=10 acc=10% lives=2 bady=50 boss"},
    };
    for (const auto& [score, shots, points, draw, left, board] : rows) {
        SCOPED_TRACE(board);
        ShotGame game;
        Form1& form = game.form;
        form.lblScore.Caption = score;
        form.lblShots.Caption = shots;
        form.intSpeedScore = points;
        testing::place(form.imgBrit3, 2240, 600);  // on imgBrit2
        game.runtime.inject_random({draw});
        game.shoot_at(2700, 1000);
        EXPECT_EQ(testing::wave_places(form), (std::vector<float>{700, left, 2240, 5920, 600, 0, 600, 600}));
        EXPECT_EQ(testing::scoreboard(form) + (form.imgBady.Visible ? " boss" : ""), board);
    }
}

// The threshold doubles up to the largest 32-bit score and stays there.
TEST(Shots, KillingHitDoublesTheThresholdUpToTheLargest) {
    for (const auto& [threshold, doubled] : std::vector<std::pair<std::int32_t, std::int32_t>>{
             {5000, 10000}, {1073741823, 2147483646}, {1073741824, 2147483647}, {2147483647, 2147483647}}) {
        SCOPED_TRACE(threshold);
        ShotGame game(true);
        game.form.lngBadyscore = threshold;
        game.form.lblBady.Caption = "0";
        game.shoot_at(game.form.imgBady.Left + 100, game.form.imgBady.Top + 100);
        EXPECT_EQ(game.form.lngBadyscore, doubled);
    }
}

}  // namespace
}  // namespace vex
