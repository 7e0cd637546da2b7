#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

namespace vex {
namespace {

using Sounds = std::vector<std::string>;

// A running game with the wave at its start places (imgBrit1 700, imgBrit2 2240, imgBrit3 4000,
// imgBrit4 5920, all at Top 600) and shot 1 under the test's control.
struct ShotGame : testing::LoadedGame {
    ShotGame() {
        start_game();
        new_sounds();
    }
    // Stands shot 1 in flight with its tip at (x, y) and runs one tick of it.
    void shoot_at(float x, float y) {
        form.Line2.Visible = true;
        form.Line2.X1 = form.Line2.X2 = x;
        form.Line2.Y1 = y;
        form.Line2.Y2 = y + 150;
        form.tmFire1.Enabled = true;
        form.tmFire1_Timer();
    }
    void hit_boss() { shoot_at(form.imgBady.Left + 100, form.imgBady.Top + 100); }
    // In play the boss comes only after shots were fired, so the shot count is never 0 then.
    void summon_boss() {
        form.lblShots.Caption = "10";
        form.SummonBoss();
        new_sounds();
    }
};

TEST(Shots, TipHitsOnlyStrictlyInsideAShownTargetsBox) {
    const auto b1 = &Form1::imgBrit1, b2 = &Form1::imgBrit2, b3 = &Form1::imgBrit3, boss = &Form1::imgBady;
    const std::vector<std::tuple<const char*, Image Form1::*, bool, float, float, bool>> rows{
        // what, target, boss up, tip x, tip y, hit
        {"on imgBrit1's left edge", b1, false, 700, 1000, false},
        {"just right of it", b1, false, 701, 1000, true},
        {"on imgBrit1's right edge", b1, false, 1615, 1000, false},
        {"just left of it", b1, false, 1614, 1000, true},
        {"on imgBrit1's top edge", b1, false, 1000, 600, false},
        {"just below it", b1, false, 1000, 601, true},
        {"on imgBrit1's bottom edge", b1, false, 1000, 1650, false},
        {"just above it", b1, false, 1000, 1649, true},
        {"1100 below imgBrit3's top", b3, false, 4300, 1700, true},
        {"950 below imgBrit2's top", b2, false, 2700, 1550, false},
        {"on the boss's left edge", boss, true, 2700, 1500, false},
        {"on the boss's bottom edge", boss, true, 3000, 2795, false},
        {"inside the boss's corner", boss, true, 2701, 2794, true},
        {"a Vexoid hidden behind the boss", b1, true, 1000, 1000, false},
        {"the hidden boss at its start-up place", boss, false, 1000, 6000, false},
    };
    for (const auto& [what, target, boss_up, x, y, hit] : rows) {
        SCOPED_TRACE(what);
        ShotGame game;
        if (boss_up) {
            game.summon_boss();
        }
        const Image& sprite = game.form.*target;
        const float top = sprite.Top;
        game.runtime.inject_random({0.5});
        game.shoot_at(x, y);
        const float pushed_back = target == boss ? top - 10 : 0;
        EXPECT_EQ(sprite.Top, hit ? pushed_back : top);
        EXPECT_EQ(bool(game.form.tmFire1.Enabled), !hit);
        EXPECT_EQ(game.form.lblHits.Caption, hit ? "1" : "0");
        EXPECT_EQ(game.new_sounds(), hit ? Sounds{"shoot.wav"} : Sounds{});
        if (!hit) {
            EXPECT_EQ(game.form.Line2.Y1, y - 300) << "a shot that hits nothing steps up";
        }
    }
}

TEST(Shots, VexoidHitRespawnsItScoresAndMayCallTheBoss) {
    const std::vector<std::tuple<const char*, std::int16_t, double, float, const char*, bool>> rows{
        // score before, points, draw, new Left, score after, boss called
        {"100", 37, 0.5, 3500, "137", false},
        {"100", 0, 0.0, 0, "100", false},  // a hit worth nothing still counts
        {"100", 149, 0.99999999, 6999, "249", false},
        {"4990", 10, 0.5, 3500, "5000", false},
        {"5000", 0, 0.5, 3500, "5000", false},
        {"4990", 11, 0.5, 3500, "5001", true},
    };
    for (const auto& [score, points, draw, left, score_after, boss] : rows) {
        SCOPED_TRACE(std::string(score) + " + " + std::to_string(points));
        ShotGame game;
        Form1& form = game.form;
        form.lblScore.Caption = score;
        form.intSpeedScore = points;
        game.runtime.inject_random({draw});
        game.shoot_at(2700, 1000);
        EXPECT_EQ(std::make_pair(form.imgBrit2.Left, form.imgBrit2.Top), std::make_pair(left, 0.0F));
        EXPECT_FALSE(form.tmFire1.Enabled);
        EXPECT_FALSE(form.Line2.Visible);
        EXPECT_EQ(form.Line2.Y1, 1000) << "a shot that hits is not stepped";
        EXPECT_EQ(form.lblScore.Caption, score_after);
        EXPECT_EQ(form.lblHits.Caption, "1");
        EXPECT_EQ(game.new_sounds(), boss ? (Sounds{"shoot.wav", "bady.wav"}) : Sounds{"shoot.wav"});
        for (const Image* vexoid : {&form.imgBrit1, &form.imgBrit2, &form.imgBrit3, &form.imgBrit4}) {
            EXPECT_EQ(vexoid->Visible, !boss) << vexoid->name();
        }
        EXPECT_EQ(form.imgBady.Visible, boss);
        EXPECT_EQ(form.frmBady.Visible, boss);
        EXPECT_EQ(bool(form.tmBady.Enabled), boss);
        EXPECT_TRUE(form.tmBrit.Enabled);
        EXPECT_EQ(form.lblBady.Caption, "50");
        if (boss) {
            EXPECT_EQ(std::make_pair(form.imgBady.Left, form.imgBady.Top), std::make_pair(2700.0F, 800.0F));
        }
    }
}

TEST(Shots, OfTwoTargetsUnderTheTipTheEarlierIsHit) {
    ShotGame game;
    game.form.imgBrit3.Left = 700;  // now over imgBrit1
    game.runtime.inject_random({0.5});
    game.shoot_at(1000, 1000);
    EXPECT_EQ(game.form.imgBrit1.Top, 0);
    EXPECT_EQ(game.form.imgBrit3.Top, 600);
}

TEST(Shots, FirstBossTakesFiftyOneHitsAndEveryLaterOneFifty) {
    ShotGame game;
    Form1& form = game.form;
    const auto hits_to_kill = [&] {
        const auto level = form.intLevel;
        int hits = 0;
        for (; form.intLevel == level && hits < 100; ++hits) {
            game.hit_boss();
        }
        return hits;
    };
    game.summon_boss();
    EXPECT_EQ(form.lblBady.Caption, "50");
    EXPECT_EQ(hits_to_kill(), 51);
    EXPECT_EQ(form.lblBady.Caption, "49");

    form.lblScore.Caption = "10000";
    form.intSpeedScore = 1;
    game.runtime.inject_random({0.5});
    game.shoot_at(1000, 1000);
    ASSERT_TRUE(form.imgBady.Visible);
    EXPECT_EQ(form.lblBady.Caption, "49");
    EXPECT_EQ(hits_to_kill(), 50);
}

TEST(Shots, KillingHitAdvancesTheLevel) {
    ShotGame game;
    Form1& form = game.form;
    game.summon_boss();
    form.lblBady.Caption = "0";
    form.lblScore.Caption = "5020";
    form.lblHits.Caption = "7";
    form.lblShots.Caption = "9";
    form.tmLeft.Enabled = true;
    form.tmRight.Enabled = true;
    for (Image* vexoid : {&form.imgBrit1, &form.imgBrit2, &form.imgBrit3, &form.imgBrit4}) {
        vexoid->Top = vexoid->Left = 4000;  // where the hidden wave fell meanwhile
    }
    const auto clock = game.runtime.now();
    game.hit_boss();

    EXPECT_EQ(form.Caption, "Devi Vavaz Vexoids - LEVEL2");
    EXPECT_EQ(form.lblLevel.Caption, "LEVEL: 2");
    EXPECT_EQ(std::make_tuple(form.intLevel, form.lngBadyscore, form.intSpeedLimit), std::make_tuple(2, 10000, 200));
    EXPECT_EQ(form.lblScore.Caption, "5030");
    EXPECT_EQ(form.lblHits.Caption, "8");
    EXPECT_EQ(form.lblAcc.Caption, "88%");
    EXPECT_EQ(form.lblBady.Caption, "49");
    const std::vector<std::pair<const Image*, float>> starts{
        {&form.imgBrit1, 700}, {&form.imgBrit2, 2240}, {&form.imgBrit3, 4000}, {&form.imgBrit4, 5920}};
    for (const auto& [vexoid, left] : starts) {
        EXPECT_EQ(std::make_tuple(vexoid->Left, vexoid->Top, vexoid->Visible), std::make_tuple(left, 600.0F, true));
    }
    EXPECT_FALSE(form.imgBady.Visible || form.frmBady.Visible || form.tmBady.Enabled);
    EXPECT_FALSE(form.tmLeft.Enabled || form.tmRight.Enabled);
    EXPECT_TRUE(form.tmBrit.Enabled);
    EXPECT_EQ(game.new_sounds(), (Sounds{"dead.wav", "airraid.wav", "shoot.wav"}));
    std::uint64_t cue_time = 0;
    for (const auto& sound : game.runtime.sounds()) {
        cue_time += sound.tick >= clock ? sound.length : 0;
    }
    EXPECT_EQ(game.runtime.now(), clock + cue_time) << "the three cues hold the game, nothing else";
}

TEST(Shots, ThresholdDoublingStopsAtTheLargestScore) {
    const std::vector<std::tuple<std::int32_t, std::int32_t>> rows{
        {1073741823, 2147483646}, {1073741824, 2147483647}, {2147483647, 2147483647}};
    for (const auto& [before, after] : rows) {
        SCOPED_TRACE(before);
        ShotGame game;
        game.summon_boss();
        game.form.lblBady.Caption = "0";
        game.form.lngBadyscore = before;
        EXPECT_NO_THROW(game.hit_boss());
        EXPECT_EQ(game.form.lngBadyscore, after);
        EXPECT_EQ(game.form.intLevel, 2);
        EXPECT_TRUE(game.form.tmBrit.Enabled);
    }
}

TEST(Shots, AccuracyRoundsDownWhereverItIsComputed) {
    enum By { Fire, Vexoid, Boss };
    const std::vector<std::tuple<By, const char*, const char*, const char*>> rows{
        // counted by, hits before, shots before, accuracy after
        {Fire, "2", "2", "66%"},  {Fire, "1", "2", "33%"},     {Fire, "29", "99", "29%"}, {Fire, "3", "2", "100%"},
        {Vexoid, "1", "3", "66%"}, {Vexoid, "28", "100", "29%"}, {Vexoid, "0", "0", "0%"},
        {Boss, "28", "100", "29%"}, {Boss, "0", "3", "33%"},
    };
    for (const auto& [by, hits, shots, accuracy] : rows) {
        SCOPED_TRACE(std::string(hits) + "/" + shots + " counted by " + std::to_string(by));
        ShotGame game;
        if (by == Boss) {
            game.summon_boss();
        }
        game.form.lblHits.Caption = hits;
        game.form.lblShots.Caption = shots;
        game.runtime.inject_random({0.5});
        if (by == Fire) {
            game.runtime.key_down(keys::control);
        } else {
            by == Boss ? game.hit_boss() : game.shoot_at(1000, 1000);
        }
        EXPECT_EQ(game.form.lblAcc.Caption, accuracy);
    }
}

TEST(Shots, ShotHangsWhileTheGameIsHaltedAndFliesOnInTheNext) {
    ShotGame game;
    game.runtime.key_down(keys::control);
    game.runtime.click(game.form.Label2);  // the about panel halts the game
    game.runtime.advance(5);
    EXPECT_EQ(game.form.Line2.Y1, 6480);
    EXPECT_TRUE(game.form.tmFire1.Enabled);
    game.start_game();
    game.runtime.advance(1);
    EXPECT_EQ(std::make_pair(game.form.Line2.Y1, game.form.Line2.Y2), std::make_pair(6180.0F, 6330.0F));
}

TEST(Shots, ShotPastTheTopEdgeStopsAfterOneMoreStep) {
    const std::vector<std::tuple<const char*, bool, float, bool, float>> rows{
        // what, game running, tip before, still flying, tip after
        {"last tip in the playfield", true, 180, true, -120},
        {"tip exactly on the edge flies on", true, 0, true, -300},
        {"tip past the edge: stopped, stepped once more", true, -120, false, -420},
        {"past the edge with the game halted: stopped where it is", false, -120, false, -120},
    };
    for (const auto& [what, running, tip, flying, tip_after] : rows) {
        SCOPED_TRACE(what);
        ShotGame game;
        game.form.tmBrit.Enabled = running;
        game.shoot_at(7300, tip);  // right of every Vexoid
        EXPECT_EQ(bool(game.form.tmFire1.Enabled), flying);
        EXPECT_EQ(std::make_pair(game.form.Line2.Y1, game.form.Line2.Y2), std::make_pair(tip_after, tip_after + 150));
        EXPECT_TRUE(game.form.Line2.Visible);
    }
}

}  // namespace
}  // namespace vex
