#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace vex {
namespace {

using Vexoid = Image Form1::*;
constexpr std::array<Vexoid, 4> wave{&Form1::imgBrit1, &Form1::imgBrit2, &Form1::imgBrit3, &Form1::imgBrit4};
constexpr double unused_draw = 0.123;  // injected after the draws a tick may take

// A running game with every Vexoid parked top right, far from the ship (Left 3000, Top 6480).
struct WaveGame : testing::LoadedGame {
    WaveGame() {
        start_game();
        new_sounds();
        for (Vexoid v : wave) {
            put(v, 6500, 0);
        }
    }
    void put(Vexoid v, float left, float top) {
        (form.*v).Left = left;
        (form.*v).Top = top;
    }
};

TEST(Wave, ContactNeedsEveryEdgeStrictlyCrossed) {
    struct Row {
        const char* what;
        Vexoid vexoid;
        float left, top;
        bool boss_up, contact;
    };
    const std::vector<Row> rows{
        {"bottom edge on the ship's top", &Form1::imgBrit1, 2500, 5430, false, false},
        {"bottom edge one twip past the ship's top", &Form1::imgBrit1, 2500, 5431, false, true},
        {"top edge on the ship's bottom", &Form1::imgBrit2, 2500, 7530, false, false},
        {"top edge one twip above the ship's bottom", &Form1::imgBrit2, 2500, 7529, false, true},
        {"left edge on the ship's left edge", &Form1::imgBrit3, 3000, 6000, false, false},
        {"left edge one twip left of the ship's", &Form1::imgBrit3, 2999, 6000, false, true},
        {"right edge on the ship's left edge", &Form1::imgBrit4, 2235, 6000, false, false},
        {"right edge one twip right of the ship's left edge", &Form1::imgBrit4, 2236, 6000, false, true},
        {"covering only the ship's right part", &Form1::imgBrit2, 3100, 6000, false, false},
        {"overlapping while the boss is up", &Form1::imgBrit1, 2500, 6000, true, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WaveGame game;
        game.put(row.vexoid, row.left, row.top);
        game.form.imgBady.Visible = row.boss_up;
        game.runtime.inject_random({0.5, 0.5, 0.5, 0.5, unused_draw});
        if (row.contact) {
            game.runtime.answer_message_box();
        }
        game.form.tmBrit_Timer();
        const Image& v = game.form.*row.vexoid;
        EXPECT_EQ(game.form.lblLives.Caption, row.contact ? "1" : "2");
        EXPECT_EQ(v.Top, row.contact ? 0 : row.top + 75);
        EXPECT_EQ(game.runtime.random(), row.contact ? 0.5 : unused_draw) << "draws taken";
    }
}

TEST(Wave, ContactTickSendsTheVexoidUpAndMovesNothingElse) {
    WaveGame game;
    Form1& form = game.form;
    game.put(&Form1::imgBrit3, 2800, 6000);
    form.tmLeft.Enabled = true;
    form.Label8.Visible = true;
    form.intSpeedScore = 77;
    const auto before = testing::snapshot(form);
    game.runtime.inject_random({unused_draw});
    game.runtime.answer_message_box();
    form.tmBrit_Timer();

    EXPECT_EQ(form.imgBrit3.Top, 0);
    EXPECT_EQ(form.lblLives.Caption, "1");
    EXPECT_FALSE(form.tmLeft.Enabled);
    EXPECT_FALSE(form.Label8.Visible);
    EXPECT_EQ(form.intSpeedScore, 77);
    EXPECT_EQ(game.runtime.random(), unused_draw);
    EXPECT_EQ(game.new_sounds(), std::vector<std::string>{"hit.wav"});
    const auto& box = game.runtime.dialogs().back();
    EXPECT_EQ(box.text + " / " + box.title, "A Ravuv Vexoid Has Killed your space Ship! / Game Info");
    EXPECT_EQ(box.icon, MessageIcon::Critical);
    // Undo what the contact should have changed: the rest must be as it was.
    form.imgBrit3.Top = 6000;
    form.lblLives.Caption = "2";
    form.tmLeft.Enabled = true;
    form.Label8.Visible = true;
    EXPECT_EQ(testing::snapshot(form), before);
}

TEST(Wave, TwoVexoidsOnTheShipCostALifeEachOnSuccessiveTicks) {
    WaveGame game;
    game.put(&Form1::imgBrit2, 2500, 6000);
    game.put(&Form1::imgBrit4, 2800, 6100);
    game.runtime.answer_message_box();
    game.runtime.answer_message_box();
    game.form.tmBrit_Timer();
    EXPECT_EQ(game.form.imgBrit2.Top, 0);
    EXPECT_EQ(game.form.imgBrit4.Top, 6100);
    EXPECT_EQ(game.form.lblLives.Caption, "1");
    game.form.tmBrit_Timer();
    EXPECT_EQ(game.form.imgBrit4.Top, 0);
    EXPECT_EQ(game.form.lblLives.Caption, "0");
}

// What every tick hides first: both info panels and "GAME OVER".
std::vector<bool*> tidied(Form1& f) {
    return {&f.Frame1.Visible, &f.Label5.Visible, &f.Label4.Visible, &f.Frame2.Visible,
            &f.Label6.Visible, &f.Label7.Visible, &f.Label8.Visible};
}

TEST(Wave, MovingTickTidiesWrapsCorrectsFallsAndHomes) {
    struct Row {
        const char* what;
        std::array<float, 4> lefts, tops;
        std::int16_t speed_limit;
        std::array<double, 4> draws;
        std::array<float, 4> new_lefts, new_tops;
    };
    const std::vector<Row> rows{
        {"only a Top past 8000 wraps, before the fall", {1000, 1000, 1000, 1000}, {8000, 8010, 100, 8001}, 150,
         {0.5, 0.1, 0.0, 0.999}, {1045, 1045, 1045, 1050}, {8075, 15, 100, 149}},
        {"Vexoid 1 alone is pushed back from the left edge", {-20, -20, 5000, 5000}, {100, 100, 100, 100}, 150,
         {0, 0, 0, 0}, {225, 25, 4955, 4950}, {100, 100, 100, 100}},
        {"Vexoid 1 at Left 0 needs no push", {0, 4000, 4000, 4000}, {100, 100, 100, 100}, 150, {0, 0, 0, 0},
         {45, 3955, 3955, 3950}, {100, 100, 100, 100}},
        {"level with the ship: Vexoid 1 keeps step 0, Vexoid 4 takes 45", {3000, 1000, 3000, 3000},
         {100, 100, 100, 100}, 150, {0, 0, 0, 0}, {3000, 1045, 3045, 3045}, {100, 100, 100, 100}},
        {"level with the ship: the step carried is a left step", {4000, 3000, 5000, 3000}, {100, 100, 100, 100}, 150,
         {0, 0, 0, 0}, {3955, 2955, 4955, 2955}, {100, 100, 100, 100}},
        {"the fall is bounded by the level's speed limit", {1000, 1000, 1000, 1000}, {100, 100, 100, 100}, 200,
         {0.999, 0.5, 0.25, 0.1}, {1045, 1045, 1045, 1050}, {299, 200, 150, 120}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        WaveGame game;
        for (bool* shown : tidied(game.form)) {
            *shown = true;
        }
        game.form.intSpeedLimit = row.speed_limit;
        for (std::size_t i = 0; i < wave.size(); ++i) {
            game.put(wave[i], row.lefts[i], row.tops[i]);
            game.runtime.inject_random({row.draws[i]});
        }
        game.runtime.inject_random({unused_draw});
        game.form.tmBrit_Timer();
        for (std::size_t i = 0; i < wave.size(); ++i) {
            EXPECT_EQ((game.form.*wave[i]).Left, row.new_lefts[i]) << "Vexoid " << i + 1;
            EXPECT_EQ((game.form.*wave[i]).Top, row.new_tops[i]) << "Vexoid " << i + 1;
        }
        EXPECT_EQ(game.form.intSpeedScore, std::floor(row.draws[3] * row.speed_limit)) << "Vexoid 4's fall";
        EXPECT_EQ(game.runtime.random(), unused_draw) << "one draw per Vexoid";
        for (const bool* shown : tidied(game.form)) {
            EXPECT_FALSE(*shown);
        }
    }
}

}  // namespace
}  // namespace vex
