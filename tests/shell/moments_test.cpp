// What the window shows, and which timers run, while the game waits on each cue and box.
#include "tests/support/game_fixture.h"

#include <tuple>

namespace vex {
namespace {

using testing::LoadedGame;
using testing::Texts;
using Step = std::function<void(LoadedGame&, Form1&)>;

// A game with the record 1000 by bob, both arrows held, 3 shots fired, the last fall 11 and the
// next draw 0.5.
void playing(LoadedGame& game, Form1& f) {
    game.start_game();
    f.tmLeft.Enabled = true;
    f.tmRight.Enabled = true;
    f.lblShots.Caption = "3";
    f.intSpeedScore = 11;
    game.runtime.inject_random({0.5});
}

// Then shot 1 in flight with its tip at (x, y).
Step aimed(const Step& before, float x, float y) {
    return [=](LoadedGame& g, Form1& f) {
        before(g, f);
        testing::aim_shot(f, x, y);
    };
}

Step boss_up(const char* counter) {
    return [=](LoadedGame& g, Form1& f) {
        playing(g, f);
        f.SummonBoss();
        f.lblBady.Caption = counter;
        testing::set_wave_places(f, std::vector<float>(8, 3000));  // where the hidden wave fell meanwhile
    };
}

// The wave (imgBrit1) or the boss on the ship, with the lives and score given; "stale" shows that
// the record's holder is read back from the file.
Step on_the_ship(bool boss, const char* lives, const char* score) {
    return [=](LoadedGame& g, Form1& f) {
        boss ? boss_up("37")(g, f) : playing(g, f);
        testing::place(boss ? f.imgBady : f.imgBrit1, 2500, 6000);
        f.lblLives.Caption = lives;
        f.lblScore.Caption = score;
        f.lblHiscoren.Caption = "stale";
        g.answer(2);
    };
}

Step click(Label Form1::*label) {
    return [=](LoadedGame& g, Form1& f) { g.runtime.click(f.*label); };
}

TEST(Moments, EachCueAndBoxFindsTheWindowAsTheRulesLeaveIt) {
    const Step nothing = [](LoadedGame&, Form1&) {}, start = [](LoadedGame& g, Form1&) { g.start_game(); };
    const Step wave_tick = [](LoadedGame&, Form1& f) { f.tmBrit_Timer(); };
    const Step boss_tick = [](LoadedGame&, Form1& f) { f.tmBady_Timer(); };
    const Step shot_tick = [](LoadedGame&, Form1& f) { f.tmFire1_Timer(); };
    const Step both_panels = [](LoadedGame& g, Form1& f) {
        g.runtime.click(f.Label1);
        g.runtime.click(f.Label2);
    };
    const std::vector<std::tuple<const char*, Step, Step, Texts>> rows{
        // what, the window before, the action, and what it tells
        {"new game after a halted boss fight",
         [](LoadedGame& g, Form1& f) {
             boss_up("37")(g, f);
             f.Label2_Click();
             f.Caption = "Devi Vavaz Vexoids - LEVEL3";
             f.lblLevel.Caption = "LEVEL: 3";
             f.lblLevel.Visible = false;
             f.intLevel = 3;
             f.intSpeedLimit = 250;
             f.lngBadyscore = 20000;
             f.intSpeedScore = 77;
             f.lblScore.Caption = f.lblHits.Caption = "9";
             f.lblLives.Caption = "0";
             f.lblAcc.Caption = "100%";
             f.Label8.Visible = true;
         },
         [](LoadedGame& g, Form1&) { g.runtime.key_down(keys::s); },
         {"airraid.wav | +lblLevel, lblLevel=LEVEL: 1, intLevel=1",
          "after | Form=Devi Vavaz Vexoids - LEVEL1, -tmBady, +tmBrit, lblAcc=0%, lblHits=0, lblShots=0, "
          "lblLives=2, lblScore=0, imgBrit4.Left=5920, imgBrit4.Top=600, +imgBrit4, imgBrit3.Left=4000, "
          "imgBrit3.Top=600, +imgBrit3, imgBrit2.Left=2240, imgBrit2.Top=600, +imgBrit2, imgBrit1.Left=700, "
          "imgBrit1.Top=600, +imgBrit1, -imgBady, intSpeedLimit=150, lngBadyscore=5000"}},
        {"a Vexoid hit calling the boss",
         aimed([](LoadedGame& g, Form1& f) { playing(g, f); f.lblScore.Caption = "4990"; }, 2700, 1000), shot_tick,
         {"shoot.wav | -tmFire1, imgBrit2.Left=3500, imgBrit2.Top=0, -Line2",
          "bady.wav | +frmBady, lblAcc=33%, lblHits=1, lblScore=5001, -imgBrit4, -imgBrit3, -imgBrit2, "
          "-imgBrit1, imgBady.Left=2700, imgBady.Top=800, +imgBady",
          "after | +tmBady"}},
        {"a boss hit", aimed(boss_up("37"), 3000, 1000), shot_tick,
         {"shoot.wav | -tmFire1, -Line2, imgBady.Top=790",
          "after | lblBady=36, lblAcc=33%, lblHits=1, lblScore=10, Line2.Y1=700, Line2.Y2=850"}},
        {"the killing boss hit advances the level", aimed(boss_up("0"), 3000, 1000), shot_tick,
         {"dead.wav | Form=Devi Vavaz Vexoids - LEVEL2, -frmBady, lblBady=50, -tmBady, -tmRight, -tmLeft, "
          "-tmBrit, -tmFire1, -Line2, imgBady.Top=790, -imgBady, lblLevel=LEVEL: 2, intSpeedLimit=200, "
          "intLevel=2, lngBadyscore=10000",
          "airraid.wav",
          "shoot.wav | +tmBrit, imgBrit4.Left=5920, imgBrit4.Top=600, +imgBrit4, imgBrit3.Left=4000, "
          "imgBrit3.Top=600, +imgBrit3, imgBrit2.Left=2240, imgBrit2.Top=600, +imgBrit2, imgBrit1.Left=700, "
          "imgBrit1.Top=600, +imgBrit1",
          "after | lblBady=49, lblAcc=33%, lblHits=1, lblScore=10, Line2.Y1=700, Line2.Y2=850"}},
        {"a Vexoid takes a ship", on_the_ship(false, "2", "500"), wave_tick,
         {"hit.wav | -tmRight, -tmLeft, imgBrit1.Top=0",
          "Game Info (stop): A Ravuv Vexoid Has Killed your space Ship! | lblLives=1",
          "after"}},
        {"the boss takes a ship", on_the_ship(true, "1", "500"), boss_tick,
         {"hit.wav | -tmRight, -tmLeft, imgBady.Top=0",
          "Game Info (stop): The Evil Boss Has Killed Your Ravuv Ship! | lblLives=0",
          "after"}},
        {"a Vexoid takes the last ship", on_the_ship(false, "0", "500"), wave_tick,
         {"hit.wav | -tmRight, -tmLeft, imgBrit1.Top=0",
          "gameover.wav | -tmBrit, +Label8",
          "Game Info: GAME OVER",
          "after | lblHiscoren=bob, lblLives=2, lblScore=0"}},
        {"the boss takes the last ship, a new record", on_the_ship(true, "0", "1230"), boss_tick,
         {"hit.wav | -tmRight, -tmLeft, imgBady.Top=0",
          "gameover.wav | -tmBady, -tmBrit, +Label8",
          "Game Info: GAME OVER",
          "hiscore.wav",
          "Game Info (stop): NEW HI SCORE!",
          "after | lblHiscoren=tester, lblHiscore=1230"}},
        {"New Player during a game, the box cancelled", [](LoadedGame& g, Form1&) { g.start_game(); g.runtime.answer_input_box(""); },
         click(&Form1::Label9),
         {"Enter Your Name: Your Name Please",
          "after | lblPlayer="}},
        {"Instructions with no game", nothing, click(&Form1::Label1),
         {"after | +Frame2, +Label6, +Label7"}},
        {"About during a game", start, click(&Form1::Label2),
         {"after | +Frame1, +Label5, +Label4, -tmBrit"}},
        {"Instructions' OK with both panels open", both_panels, click(&Form1::Label7),
         {"after | -Frame2, -Label6, -Label7"}},
        {"About's OK with both panels open", both_panels, click(&Form1::Label5),
         {"after | -Frame1, -Label5, -Label4"}},
        {"Exit", start, click(&Form1::Label3),
         {"after | Unloaded=true"}},
    };
    for (const auto& [what, arrange, act, expected] : rows) {
        SCOPED_TRACE(what);
        LoadedGame game("\"1000\",\"bob\"\r\n");
        arrange(game, game.form);
        EXPECT_EQ(game.runtime.story([&, act = act] { act(game, game.form); }), expected);
    }
}

}  // namespace
}  // namespace vex
