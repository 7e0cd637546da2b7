#include "tests/support/game_fixture.h"

#include <tuple>

namespace vex {
namespace {

using testing::Texts;

using Clickable = Label Form1::*;
constexpr Clickable instructions = &Form1::Label1, about = &Form1::Label2, instructions_ok = &Form1::Label7,
                    about_ok = &Form1::Label5, new_player = &Form1::Label9;

// "1" for each flag set, "0" for each one clear.
std::string flags(std::initializer_list<bool> set) {
    std::string text;
    for (const bool flag : set) {
        text += flag ? '1' : '0';
    }
    return text;
}
// Frame, text and OK of About, then of Instructions.
std::string panels(const Form1& f) {
    return flags({f.Frame1.Visible, f.Label4.Visible, f.Label5.Visible, f.Frame2.Visible, f.Label6.Visible, f.Label7.Visible});
}

TEST(Startup, LoadShowsTheRecordTheNameAsTypedAndTheDesignedWindow) {
    for (const char* typed : {"Ann", "  Bo b  " /* blanks kept */, "" /* box cancelled */}) {
        SCOPED_TRACE(typed);
        testing::LoadedGame game("\"1500\",\"Cy\"\r\n", typed);
        const Form1& f = game.form;
        ASSERT_EQ(game.runtime.dialogs().size(), 1U);
        EXPECT_EQ(game.runtime.dialogs()[0].title + " / " + game.runtime.dialogs()[0].text, "Enter Your Name / Your Name Please");
        EXPECT_EQ((Texts{f.Caption, f.lblPlayer.Caption, f.lblHiscore.Caption, f.lblHiscoren.Caption, f.lblLevel.Caption}),
                  (Texts{"Devi Vavaz Vexoids From Hell", typed, "1500", "Cy", "LEVEL: 1"}));
        EXPECT_EQ(testing::scoreboard(f), "score=0 hits=0 shots=0 acc=0 lives=2 bady=50");
        EXPECT_EQ(testing::wave_places(f), (std::vector<float>{720, 2160, 3840, 5160, 600, 600, 600, 600}));
        EXPECT_EQ(std::make_pair(f.imgShip.Left, f.imgShip.Top), std::make_pair(3000.0F, 6480.0F));
        EXPECT_EQ(flags({f.imgBrit1.Visible, f.imgBrit2.Visible, f.imgBrit3.Visible, f.imgBrit4.Visible, f.imgShip.Visible,
                         f.imgBady.Visible, f.frmBady.Visible, f.Line2.Visible, f.Line3.Visible, f.Line4.Visible, f.Label8.Visible}) +
                      " " + panels(f),
                  "11111000000 000000");
        EXPECT_FALSE(f.tmBady.Enabled || f.tmLeft.Enabled || f.tmRight.Enabled || f.tmBrit.Enabled || f.tmFire1.Enabled ||
                     f.tmFire2.Enabled || f.tmFire3.Enabled);
        EXPECT_TRUE(game.runtime.sounds().empty());
        game.runtime.advance(10);
        EXPECT_EQ(f.Line8.Y1, 360 + 10 * 90) << "the starfield moves before any game";
    }
}

// Each panel opens and closes on its own; "New Player" asks for the name; keys that do not apply
// do nothing. All else stays as it was, silently.
TEST(Shell, ClicksAndKeysChangeOnlyWhatTheyAreFor) {
    const std::vector<std::tuple<const char*, bool, std::vector<Clickable>, std::int16_t, const char*>> rows{
        // what, game running, clicks, then key (0: none), panels and player after
        {"Instructions", false, {instructions}, 0, "000111 tester"}, {"About", false, {about}, 0, "111000 tester"},
        {"both panels", false, {instructions, about}, 0, "111111 tester"},
        {"Instructions twice", false, {instructions, instructions}, 0, "000111 tester"},
        {"About's OK closes only About", false, {instructions, about, about_ok}, 0, "000111 tester"},
        {"Instructions' OK closes only Instructions", false, {about, instructions, instructions_ok}, 0, "111000 tester"},
        {"New Player during a game", true, {new_player}, 0, "000000  Zed "},
        {"Ctrl, no game", false, {}, keys::control, "000000 tester"}, {"left, no game", false, {}, keys::left, "000000 tester"},
        {"right, no game", false, {}, keys::right, "000000 tester"}, {"S during a game", true, {}, keys::s, "000000 tester"},
        {"another key during a game", true, {}, 65, "000000 tester"},
    };
    for (const auto& [what, running, clicks, key, after] : rows) {
        SCOPED_TRACE(what);
        testing::LoadedGame game;
        Form1& f = game.form;
        if (running) {
            game.start_game();
            game.runtime.key_down(keys::control);
            game.runtime.advance(3);
            f.lblScore.Caption = "70";
        }
        game.new_sounds();
        game.runtime.answer_input_box(" Zed ");
        const auto before = testing::snapshot(f, "lblPlayer");
        for (const Clickable label : clicks) {
            game.runtime.click(f.*label);
        }
        if (key != 0) {
            game.runtime.key_down(key);
        }
        EXPECT_EQ(panels(f) + " " + f.lblPlayer.Caption, after);
        f.Frame1.Visible = f.Label4.Visible = f.Label5.Visible = f.Frame2.Visible = f.Label6.Visible = f.Label7.Visible = false;
        EXPECT_EQ(testing::snapshot(f, "lblPlayer"), before);
        EXPECT_TRUE(game.new_sounds().empty());
    }
}

// A game halted during a boss fight starts again with the boss gone but its counter's panel up.
TEST(InfoPanels, OpeningAPanelHaltsTheGameUntilTheNextStart) {
    for (const auto& [open, ok, boss] : {std::tuple{instructions, instructions_ok, false}, std::tuple{about, about_ok, true}}) {
        SCOPED_TRACE(boss ? "About during a boss fight" : "Instructions during the wave");
        testing::RunningGame game;
        Form1& form = game.form;
        if (boss) {
            form.SummonBoss();
        }
        game.runtime.key_down(keys::control);
        game.runtime.key_down(keys::left);
        game.runtime.advance(3);
        game.runtime.click(form.*open);
        game.runtime.key_up(keys::left);
        EXPECT_FALSE(form.tmLeft.Enabled) << "releasing an arrow stops the ship also with no game";
        const auto where = [&form] {
            auto places = testing::wave_places(form);
            places.insert(places.end(), {form.imgBady.Left, form.imgBady.Top, form.Line2.Y1, form.imgShip.Left});
            return places;
        };
        const auto halted = where();
        const float streak = form.Line8.Y1;
        game.runtime.advance(20);
        game.runtime.click(form.*ok);
        game.runtime.advance(20);
        game.runtime.key_down(keys::control);
        EXPECT_EQ(std::make_tuple(where(), panels(form), form.lblShots.Caption), std::make_tuple(halted, "000000", "1"))
            << "halted with the panel open and after OK; Ctrl does nothing";
        EXPECT_NE(form.Line8.Y1, streak) << "the starfield goes on";
        form.lblScore.Caption = "640";
        game.start_game();
        EXPECT_EQ(testing::scoreboard(form), "score=0 hits=0 shots=0 acc=0% lives=2 bady=50");
        EXPECT_EQ(flags({form.imgBady.Visible, form.tmBady.Enabled, form.frmBady.Visible}), boss ? "001" : "000");
        EXPECT_EQ(form.imgShip.Left, halted.back()) << "a new game starts where the ship was left";
        form.lblScore.Caption = "9000";
        game.runtime.click(form.Label3);
        EXPECT_TRUE(form.unloaded() && game.folder.scores() == "\"0\",\"nobody\"\r\n") << "Exit saves nothing";
    }
}

// Every press counts a shot and updates the accuracy, rounded down. A launch takes slot 1, 2 or 3
// by the timers; a busy third slot blocks every launch.
TEST(Keyboard, FireCountsEveryPressAndTakesTheSlotTheTimersAllow) {
    const std::vector<std::tuple<const char*, const char*, const char*, const char*, const char*>> rows{
        // slot timers on, hits, shots before; slot timers on, then lines shown, and the counters after
        {"000", "0", "0", "100 100", "hits=0 shots=1 acc=0%"},  {"100", "2", "2", "110 010", "hits=2 shots=3 acc=66%"},
        {"010", "1", "2", "011 001", "hits=1 shots=3 acc=33%"}, {"110", "3", "2", "111 001", "hits=3 shots=3 acc=100%"},
        {"001", "29", "99", "001 000", "hits=29 shots=100 acc=29%"}, {"101", "0", "0", "101 000", "hits=0 shots=1 acc=0%"},
        {"111", "0", "0", "111 000", "hits=0 shots=1 acc=0%"},
    };
    for (const auto& [busy, hits, shots, after, counters] : rows) {
        SCOPED_TRACE(busy);
        testing::RunningGame game;
        Form1& f = game.form;
        f.imgShip.Left = 1000;
        f.tmFire1.Enabled = busy[0] == '1';
        f.tmFire2.Enabled = busy[1] == '1';
        f.tmFire3.Enabled = busy[2] == '1';
        f.lblHits.Caption = hits;
        f.lblShots.Caption = shots;
        game.runtime.key_down(keys::control);
        EXPECT_EQ(testing::scoreboard(f), "score=0 " + std::string(counters) + " lives=2 bady=50");
        EXPECT_EQ(flags({f.tmFire1.Enabled, f.tmFire2.Enabled, f.tmFire3.Enabled}) + " " +
                      flags({f.Line2.Visible, f.Line3.Visible, f.Line4.Visible}),
                  after);
        EXPECT_EQ(game.new_sounds(), std::string(after).ends_with("000") ? Texts{} : Texts{"pop2.wav"});
        for (const Line* line : {&f.Line2, &f.Line3, &f.Line4}) {
            EXPECT_TRUE(!line->Visible || std::tie(line->X1, line->Y1, line->X2, line->Y2) ==
                                              std::make_tuple(1292.5F, 6480.0F, 1292.5F, 6630.0F));
        }
    }
}

TEST(Keyboard, HoldingAnArrowSlidesTheShipToItsLimit) {
    const std::vector<std::tuple<std::int16_t, int, float>> rows{
        {keys::left, 29, 100},   {keys::left, 30, 0},     {keys::left, 31, -100}, {keys::left, 45, -100},
        {keys::right, 40, 7000}, {keys::right, 41, 7100}, {keys::right, 50, 7100},
    };
    for (const auto& [key, ticks, left] : rows) {
        SCOPED_TRACE(::testing::Message() << key << " held for " << ticks << " ticks");
        testing::RunningGame game;
        game.runtime.inject_random(std::vector<double>(4 * ticks, 0.0));  // the wave does not fall
        for (int tick = 0; tick < ticks; ++tick) {
            game.runtime.key_down(key);  // the key's automatic repeat
            game.runtime.advance(1);
        }
        EXPECT_EQ(game.form.imgShip.Left, left);
    }
}

}  // namespace
}  // namespace vex
