#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace vex {
namespace {

using Texts = std::vector<std::string>;

// Cues and message boxes from tick `from` on, in the order they came. A cue holds the clock for
// its length, so a box opened on the tick a cue started came before that cue.
Texts timeline(const HeadlessRuntime& runtime, std::uint64_t from) {
    std::multimap<std::pair<std::uint64_t, int>, std::string> events;
    for (const auto& dialog : runtime.dialogs()) {
        events.insert({{dialog.tick, 0}, dialog.text});
    }
    const auto names = runtime.sound_names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        events.insert({{runtime.sounds()[i].tick, 1}, names[i]});
    }
    Texts texts;
    for (auto event = events.lower_bound({from, 0}); event != events.end(); ++event) {
        texts.push_back(event->second);
    }
    return texts;
}

TEST(ShipLost, ThirdLossEndsTheGameAndTheNextGameStartsClean) {
    struct Row {
        const char* what;
        bool boss;
        const char* cause;
        const char* score_after, *lives_after;
    };
    const std::vector<Row> rows{
        {"lost to the wave", false, "A Ravuv Vexoid Has Killed your space Ship!", "0", "2"},
        {"lost to the boss", true, "The Evil Boss Has Killed Your Ravuv Ship!", "1230", "0"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game("\"1000\",\"bob\"\r\n", "ann");
        Form1& form = game.form;
        game.start_game();
        form.lblBady.Caption = "37";
        if (row.boss) {
            form.SummonBoss();
        }
        const auto from = game.runtime.now();
        std::vector<std::string> lives;
        for (int contact = 1; contact <= 3; ++contact) {
            game.runtime.answer_message_box();
            if (contact == 3) {
                game.runtime.answer_message_box();
                form.lblScore.Caption = "1230";
            }
            if (row.boss) {
                form.imgBady.Left = 2000;
                form.imgBady.Top = 6000;
                form.tmBady_Timer();
            } else {
                form.imgBrit1.Left = 2500;
                form.imgBrit1.Top = 6000;
                form.tmBrit_Timer();
            }
            lives.push_back(form.lblLives.Caption);
        }
        EXPECT_EQ(lives, (Texts{"1", "0", row.lives_after}));
        EXPECT_EQ(timeline(game.runtime, from), (Texts{"hit.wav", row.cause, "hit.wav", row.cause, "hit.wav",
                                                        "gameover.wav", "GAME OVER", "hiscore.wav", "NEW HI SCORE!"}));
        const auto& dialogs = game.runtime.dialogs();
        for (std::size_t i = 1; i < dialogs.size(); ++i) {  // after the name box
            EXPECT_EQ(dialogs[i].title, "Game Info");
            EXPECT_EQ(dialogs[i].icon, dialogs[i].text == "GAME OVER" ? MessageIcon::Information : MessageIcon::Critical);
        }
        EXPECT_EQ((std::vector<bool>{form.Label8.Visible, form.tmBrit.Enabled, form.tmBady.Enabled, form.imgBady.Visible}),
                  (std::vector<bool>{true, false, false, row.boss}));
        EXPECT_TRUE(!row.boss || form.imgBady.Top == 0) << "the boss stays up at the top edge";
        EXPECT_EQ(game.folder.scores(), "\"1230\",\"ann\"\r\n");
        EXPECT_EQ((Texts{form.lblScore.Caption, form.lblHiscore.Caption, form.lblHiscoren.Caption}),
                  (Texts{row.score_after, "1230", "ann"}));

        game.start_game();
        EXPECT_EQ((Texts{form.lblScore.Caption, form.lblLives.Caption, form.lblBady.Caption}), (Texts{"0", "2", "37"}));
        EXPECT_FALSE(form.imgBady.Visible || form.tmBady.Enabled);
        EXPECT_EQ(form.frmBady.Visible, row.boss) << "the counter's panel stays from the lost fight";
    }
}

TEST(ShipLost, GameOverKeepsOnlyABetterScore) {
    struct Row {
        const char* what;
        const char* record;  // the score in scores.dat
        const char* score;
        bool beaten;
    };
    const std::vector<Row> rows{
        {"one point above the record", "1000", "1001", true},
        {"equal to the record", "1000", "1000", false},
        {"a record that is not a number counts as 0", "none", "1", true},
        {"a score of 0 does not beat a record that is not a number", "none", "0", false},
        {"a record with text after its number counts the number", "1500 points", "1500", false},
        {"a score beyond 32 bits beats a smaller record and is stored in full", "1000", "99999999999", true},
        {"a score beyond 32 bits counts as the largest 32-bit number", "2147483647", "99999999999", false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const std::string file = "\"" + std::string(row.record) + "\",\"bob\"\r\n";
        testing::LoadedGame game(file, "ann");
        Form1& form = game.form;
        game.start_game();
        game.new_sounds();
        form.lblLives.Caption = "0";
        form.lblScore.Caption = row.score;
        form.lblHiscoren.Caption = "stale";
        game.runtime.answer_message_box();
        if (row.beaten) {
            game.runtime.answer_message_box();
        }
        form.ShipLost(ShipLossVariant::Wave);

        EXPECT_EQ(game.runtime.unanswered_dialogs(), 0U) << "NEW HI SCORE! shown or missing";
        EXPECT_EQ(game.new_sounds(),
                  (row.beaten ? Texts{"hit.wav", "gameover.wav", "hiscore.wav"} : Texts{"hit.wav", "gameover.wav"}));
        EXPECT_EQ(game.folder.scores(), row.beaten ? "\"" + std::string(row.score) + "\",\"ann\"\r\n" : file);
        // The record shown is reloaded from the file, whatever the labels held.
        EXPECT_EQ((Texts{form.lblHiscore.Caption, form.lblHiscoren.Caption, form.lblScore.Caption, form.lblLives.Caption}),
                  (Texts{row.beaten ? row.score : row.record, row.beaten ? "ann" : "bob", "0", "2"}));
    }
}

}  // namespace
}  // namespace vex
