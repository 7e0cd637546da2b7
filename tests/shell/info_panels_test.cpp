#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace vex {
namespace {

using Clickable = Label Form1::*;

// Each panel: its frame, its text and its OK.
std::vector<bool> about(const Form1& f) { return {f.Frame1.Visible, f.Label4.Visible, f.Label5.Visible}; }
std::vector<bool> instructions(const Form1& f) { return {f.Frame2.Visible, f.Label6.Visible, f.Label7.Visible}; }

TEST(InfoPanels, EachPanelOpensAndClosesOnItsOwn) {
    struct Row {
        const char* what;
        std::vector<Clickable> clicks;
        bool about, instructions;
    };
    const std::vector<Row> rows{
        {"Instructions", {&Form1::Label1}, false, true},
        {"About", {&Form1::Label2}, true, false},
        {"both at once", {&Form1::Label1, &Form1::Label2}, true, true},
        {"About's OK closes only About", {&Form1::Label1, &Form1::Label2, &Form1::Label5}, false, true},
        {"Instructions' OK closes only Instructions", {&Form1::Label2, &Form1::Label1, &Form1::Label7}, true, false},
        {"Instructions twice", {&Form1::Label1, &Form1::Label1}, false, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game;
        Form1& form = game.form;
        const auto before = testing::snapshot(form);
        for (const Clickable label : row.clicks) {
            game.runtime.click(form.*label);
        }
        EXPECT_EQ(about(form), std::vector<bool>(3, row.about));
        EXPECT_EQ(instructions(form), std::vector<bool>(3, row.instructions));
        // Nothing but the panels may have changed.
        for (bool* shown : {&form.Frame1.Visible, &form.Label4.Visible, &form.Label5.Visible, &form.Frame2.Visible,
                            &form.Label6.Visible, &form.Label7.Visible}) {
            *shown = false;
        }
        EXPECT_EQ(testing::snapshot(form), before);
    }
}

TEST(InfoPanels, OpeningAPanelHaltsTheGameUntilTheNextStart) {
    struct Row {
        const char* what;
        Clickable open, ok;
        bool boss;
    };
    const std::vector<Row> rows{
        {"Instructions during the wave", &Form1::Label1, &Form1::Label7, false},
        {"About during a boss fight", &Form1::Label2, &Form1::Label5, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game;
        Form1& form = game.form;
        game.start_game();
        if (row.boss) {
            form.SummonBoss();
        }
        game.runtime.key_down(keys::control);
        game.runtime.advance(3);
        game.runtime.click(form.*row.open);
        EXPECT_FALSE(form.tmBrit.Enabled);
        const auto where = [&form] {
            return std::vector<float>{form.imgBrit1.Left, form.imgBrit1.Top, form.imgBrit2.Left, form.imgBrit2.Top,
                                      form.imgBrit3.Left, form.imgBrit3.Top, form.imgBrit4.Left, form.imgBrit4.Top,
                                      form.imgBady.Left,  form.imgBady.Top,  form.Line2.Y1};
        };
        const auto halted = where();
        const float streak = form.Line8.Y1;
        game.runtime.advance(20);
        EXPECT_EQ(where(), halted) << "panel open";
        EXPECT_NE(form.Line8.Y1, streak) << "the starfield goes on";
        game.runtime.click(form.*row.ok);
        EXPECT_EQ(about(form), instructions(form));
        EXPECT_EQ(about(form), std::vector<bool>(3, false));
        game.runtime.advance(20);
        game.runtime.key_down(keys::control);
        EXPECT_EQ(where(), halted) << "panel closed";
        EXPECT_FALSE(form.tmBrit.Enabled);
        EXPECT_EQ(form.lblShots.Caption, "1") << "Ctrl does nothing in a halted game";

        form.lblScore.Caption = "640";
        game.start_game();
        EXPECT_EQ(form.lblScore.Caption, "0");
        EXPECT_FALSE(form.imgBady.Visible || form.tmBady.Enabled);
        EXPECT_EQ(form.frmBady.Visible, row.boss);
    }
}

TEST(InfoPanels, ExitEndsTheProgramWithoutSaving) {
    testing::LoadedGame game("\"10\",\"bob\"\r\n");
    game.start_game();
    game.form.lblScore.Caption = "5000";
    game.runtime.click(game.form.Label3);
    EXPECT_TRUE(game.form.unloaded());
    EXPECT_EQ(game.folder.scores(), "\"10\",\"bob\"\r\n");
    EXPECT_EQ(game.runtime.dialogs().size(), 1U) << "only the name box";
}

}  // namespace
}  // namespace vex
