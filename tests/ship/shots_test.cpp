#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace vex {
namespace {

using Sounds = std::vector<std::string>;
using testing::LoadedGame;

// A running game with the wave at its start places (imgBrit1 700, imgBrit2 2240, imgBrit3 4000,
// imgBrit4 5920, all at Top 600) and shot 1 under the test's control.
struct ShotGame : LoadedGame {
    ShotGame() {
        start_game();
        new_sounds();
    }
    // Stands shot 1 with its tip at (x, y), in flight.
    void aim(float x, float y) {
        form.Line2.Visible = true;
        form.Line2.X1 = form.Line2.X2 = x;
        form.Line2.Y1 = y;
        form.Line2.Y2 = y + 150;
        form.tmFire1.Enabled = true;
    }
    void shoot_at(float x, float y) {
        aim(x, y);
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

TEST(Shots, TipMustLieStrictlyInsideTheSpritesBox) {
    struct Row {
        const char* what;
        Image Form1::*sprite;
        float x, y;
        bool hit;
    };
    const std::vector<Row> rows{
        {"on imgBrit1's left edge", &Form1::imgBrit1, 700, 1000, false},
        {"just right of it", &Form1::imgBrit1, 701, 1000, true},
        {"on imgBrit1's right edge", &Form1::imgBrit1, 1615, 1000, false},
        {"just left of it", &Form1::imgBrit1, 1614, 1000, true},
        {"on imgBrit1's top edge", &Form1::imgBrit1, 1000, 600, false},
        {"just below it", &Form1::imgBrit1, 1000, 601, true},
        {"on imgBrit1's bottom edge", &Form1::imgBrit1, 1000, 1650, false},
        {"just above it", &Form1::imgBrit1, 1000, 1649, true},
        {"1100 below imgBrit3's top", &Form1::imgBrit3, 4300, 1700, true},
        {"950 below imgBrit2's top", &Form1::imgBrit2, 2700, 1550, false},
        {"on the boss's left edge", &Form1::imgBady, 2700, 1500, false},
        {"on the boss's bottom edge", &Form1::imgBady, 3000, 2795, false},
        {"inside the boss's corner", &Form1::imgBady, 2701, 2794, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ShotGame game;
        Image& sprite = game.form.*row.sprite;
        const bool boss = row.sprite == &Form1::imgBady;
        if (boss) {
            game.summon_boss();
        }
        game.aim(row.x, row.y);
        EXPECT_EQ(game.form.TipInBox(game.form.shot1(), sprite), row.hit);
        game.runtime.inject_random({0.5});
        game.form.tmFire1_Timer();
        EXPECT_EQ(bool(game.form.tmFire1.Enabled), !row.hit);
        EXPECT_EQ(sprite.Top, row.hit ? (boss ? 790.0F : 0.0F) : (boss ? 800.0F : 600.0F));
        EXPECT_EQ(game.new_sounds(), row.hit ? Sounds{"shoot.wav"} : Sounds{});
    }
}

TEST(Shots, VexoidHitRespawnsItOnTheTopEdgeAndScores) {
    struct Row {
        double draw;
        std::int16_t points;
        float left;
        const char* score;
    };
    const std::vector<Row> rows{
        {0.5, 37, 3500, "137"},
        {0.0, 0, 0, "100"},  // a hit worth nothing still counts
        {0.99999999, 149, 6999, "249"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.draw);
        ShotGame game;
        game.form.lblScore.Caption = "100";
        game.form.intSpeedScore = row.points;
        game.runtime.inject_random({row.draw});
        game.shoot_at(2700, 1000);
        EXPECT_EQ(game.form.imgBrit2.Top, 0);
        EXPECT_EQ(game.form.imgBrit2.Left, row.left);
        EXPECT_FALSE(game.form.tmFire1.Enabled);
        EXPECT_FALSE(game.form.Line2.Visible);
        EXPECT_EQ(game.form.Line2.Y1, 1000) << "a hit shot is not stepped";
        EXPECT_EQ(game.form.lblScore.Caption, row.score);
        EXPECT_EQ(game.form.lblHits.Caption, "1");
        EXPECT_EQ(game.new_sounds(), Sounds{"shoot.wav"});
    }
}

TEST(Shots, BossComesOnlyWhenTheScorePassesTheThreshold) {
    struct Row {
        const char* score;
        std::int16_t points;
        bool summoned;
    };
    const std::vector<Row> rows{{"4990", 10, false}, {"5000", 0, false}, {"4990", 11, true}};
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.score) + " + " + std::to_string(row.points));
        ShotGame game;
        Form1& form = game.form;
        form.lblScore.Caption = row.score;
        form.intSpeedScore = row.points;
        game.shoot_at(1000, 1000);
        for (const Image* vexoid : {&form.imgBrit1, &form.imgBrit2, &form.imgBrit3, &form.imgBrit4}) {
            EXPECT_EQ(vexoid->Visible, !row.summoned) << vexoid->name();
        }
        EXPECT_EQ(form.imgBady.Visible, row.summoned);
        EXPECT_EQ(form.frmBady.Visible, row.summoned);
        EXPECT_EQ(bool(form.tmBady.Enabled), row.summoned);
        EXPECT_TRUE(form.tmBrit.Enabled);
        EXPECT_EQ(form.lblBady.Caption, "50");
        EXPECT_EQ(game.new_sounds(), row.summoned ? (Sounds{"shoot.wav", "bady.wav"}) : Sounds{"shoot.wav"});
        if (row.summoned) {
            EXPECT_EQ(form.imgBady.Left, 2700);
            EXPECT_EQ(form.imgBady.Top, 800);
        }
    }
}

class BossFight : public ::testing::Test {
protected:
    ShotGame game;
    Form1& form = game.form;
};

TEST(Shots, HiddenTargetsLetTheShotThrough) {
    struct Row {
        const char* what;
        bool boss_up;
        Image Form1::*target;
        float x, y;
    };
    const std::vector<Row> rows{
        {"Vexoids hidden behind the boss", true, &Form1::imgBrit1, 1000, 1000},
        {"boss hidden at its start-up place", false, &Form1::imgBady, 1000, 6000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ShotGame game;
        if (row.boss_up) {
            game.summon_boss();
        }
        const Image& target = game.form.*row.target;
        const float top = target.Top;
        game.shoot_at(row.x, row.y);
        EXPECT_EQ(target.Top, top);
        EXPECT_EQ(game.form.Line2.Y1, row.y - 300);
        EXPECT_TRUE(game.form.tmFire1.Enabled);
        EXPECT_EQ(game.form.lblHits.Caption, "0");
        EXPECT_TRUE(game.new_sounds().empty());
    }
}

TEST_F(BossFight, OfTwoTargetsUnderTheTipTheEarlierIsHit) {
    form.imgBrit3.Left = 700;  // now over imgBrit1
    game.runtime.inject_random({0.5});
    game.shoot_at(1000, 1000);
    EXPECT_EQ(form.imgBrit1.Top, 0);
    EXPECT_EQ(form.imgBrit3.Top, 600);
    EXPECT_EQ(form.lblHits.Caption, "1");
}

TEST_F(BossFight, FirstBossTakesFiftyOneHitsAndEveryLaterOneFifty) {
    const auto hits_to_kill = [this](std::int16_t level) {
        int hits = 0;
        while (form.intLevel == level && hits < 100) {
            game.hit_boss();
            ++hits;
        }
        return hits;
    };
    game.summon_boss();
    EXPECT_EQ(form.lblBady.Caption, "50");
    EXPECT_EQ(hits_to_kill(1), 51);
    EXPECT_EQ(form.lblBady.Caption, "49");

    form.lblScore.Caption = "10000";
    form.intSpeedScore = 1;
    game.runtime.inject_random({0.5});
    game.shoot_at(1000, 1000);
    ASSERT_TRUE(form.imgBady.Visible);
    EXPECT_EQ(form.lblBady.Caption, "49");
    EXPECT_EQ(hits_to_kill(2), 50);
}

TEST_F(BossFight, KillingHitAdvancesTheLevel) {
    game.summon_boss();
    form.lblBady.Caption = "0";
    form.lblScore.Caption = "5020";
    form.lblHits.Caption = "7";
    form.lblShots.Caption = "9";
    form.tmLeft.Enabled = true;
    form.tmRight.Enabled = true;
    const auto clock = game.runtime.now();
    game.hit_boss();

    EXPECT_EQ(form.Caption, "Devi Vavaz Vexoids - LEVEL2");
    EXPECT_EQ(form.lblLevel.Caption, "LEVEL: 2");
    EXPECT_EQ(form.intLevel, 2);
    EXPECT_EQ(form.lngBadyscore, 10000);
    EXPECT_EQ(form.intSpeedLimit, 200);
    EXPECT_EQ(form.lblScore.Caption, "5030");
    EXPECT_EQ(form.lblHits.Caption, "8");
    EXPECT_EQ(form.lblAcc.Caption, "88%");
    EXPECT_EQ(form.lblBady.Caption, "49");
    const std::vector<std::pair<const Image*, float>> starts{
        {&form.imgBrit1, 700}, {&form.imgBrit2, 2240}, {&form.imgBrit3, 4000}, {&form.imgBrit4, 5920}};
    for (const auto& [vexoid, left] : starts) {
        EXPECT_EQ(vexoid->Left, left) << vexoid->name();
        EXPECT_EQ(vexoid->Top, 600) << vexoid->name();
        EXPECT_TRUE(vexoid->Visible) << vexoid->name();
    }
    EXPECT_FALSE(form.imgBady.Visible);
    EXPECT_FALSE(form.frmBady.Visible);
    EXPECT_FALSE(form.tmBady.Enabled);
    EXPECT_FALSE(form.tmLeft.Enabled);
    EXPECT_FALSE(form.tmRight.Enabled);
    EXPECT_TRUE(form.tmBrit.Enabled);
    EXPECT_EQ(game.new_sounds(), (Sounds{"dead.wav", "airraid.wav", "shoot.wav"}));
    std::uint64_t cue_time = 0;
    for (const auto& sound : game.runtime.sounds()) {
        cue_time += sound.tick >= clock ? sound.length : 0;
    }
    EXPECT_EQ(game.runtime.now(), clock + cue_time) << "the three cues hold the game, nothing else";
}

TEST(Shots, ThresholdDoublingStopsAtTheLargestScore) {
    struct Row {
        std::int32_t before;
        std::int32_t after;
    };
    const std::vector<Row> rows{{1073741823, 2147483646}, {1073741824, 2147483647}, {2147483647, 2147483647}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.before);
        ShotGame game;
        game.summon_boss();
        game.form.lblBady.Caption = "0";
        game.form.lngBadyscore = row.before;
        EXPECT_NO_THROW(game.hit_boss());
        EXPECT_EQ(game.form.lngBadyscore, row.after);
        EXPECT_EQ(game.form.intLevel, 2);
        EXPECT_TRUE(game.form.tmBrit.Enabled);
    }
}

TEST(Shots, AccuracyRoundsDownWhereverItIsComputed) {
    enum class By { Fire, Vexoid, Boss };
    struct Row {
        By by;
        const char* hits;
        const char* shots;
        const char* accuracy;
    };
    const std::vector<Row> rows{
        {By::Fire, "2", "2", "66%"},     {By::Fire, "1", "2", "33%"},     {By::Fire, "29", "99", "29%"},
        {By::Fire, "3", "2", "100%"},    {By::Vexoid, "1", "3", "66%"},   {By::Vexoid, "28", "100", "29%"},
        {By::Vexoid, "0", "0", "0%"},    {By::Boss, "28", "100", "29%"},  {By::Boss, "0", "3", "33%"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.hits) + "/" + row.shots + " by " + std::to_string(static_cast<int>(row.by)));
        ShotGame game;
        if (row.by == By::Boss) {
            game.summon_boss();
        }
        game.form.lblHits.Caption = row.hits;
        game.form.lblShots.Caption = row.shots;
        game.runtime.inject_random({0.5});
        switch (row.by) {
            case By::Fire: game.runtime.key_down(keys::control); break;
            case By::Vexoid: game.shoot_at(1000, 1000); break;
            case By::Boss: game.hit_boss(); break;
        }
        EXPECT_EQ(game.form.lblAcc.Caption, row.accuracy);
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
    EXPECT_EQ(game.form.Line2.Y1, 6180);
    EXPECT_EQ(game.form.Line2.Y2, 6330);
}

TEST(Shots, ShotPastTheTopEdgeStopsAfterOneMoreStep) {
    struct Row {
        const char* what;
        bool running;
        float tip;
        bool flying;
        float tip_after;
    };
    const std::vector<Row> rows{
        {"last tip in the playfield", true, 180, true, -120},
        {"tip exactly on the edge flies on", true, 0, true, -300},
        {"tip past the edge: stopped, stepped once more", true, -120, false, -420},
        {"past the edge with the game halted: stopped where it is", false, -120, false, -120},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ShotGame game;
        game.form.tmBrit.Enabled = row.running;
        game.shoot_at(7300, row.tip);  // right of every Vexoid
        EXPECT_EQ(bool(game.form.tmFire1.Enabled), row.flying);
        EXPECT_EQ(game.form.Line2.Y1, row.tip_after);
        EXPECT_EQ(game.form.Line2.Y2, row.tip_after + 150);
        EXPECT_TRUE(game.form.Line2.Visible);
    }
}

}  // namespace
}  // namespace vex
