#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

namespace vex {
namespace {

using Texts = std::vector<std::string>;

// Cues and message boxes from tick `from` on, in the order they came. A cue holds the clock for
// its length, so a box opened on the tick a cue started came before that cue.
Texts timeline(const HeadlessRuntime& runtime, std::uint64_t from) {
    std::vector<std::tuple<std::uint64_t, int, std::string>> events;
    for (const auto& dialog : runtime.dialogs()) {
        if (dialog.tick >= from) {
            events.emplace_back(dialog.tick, 0, dialog.text);
        }
    }
    const auto names = runtime.sound_names();
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (runtime.sounds()[i].tick >= from) {
            events.emplace_back(runtime.sounds()[i].tick, 1, names[i]);
        }
    }
    std::stable_sort(events.begin(), events.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    Texts texts;
    for (const auto& event : events) {
        texts.push_back(std::get<2>(event));
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
        ASSERT_EQ(dialogs.size(), 5U);
        EXPECT_EQ(dialogs[3].icon, MessageIcon::Information);
        EXPECT_EQ(dialogs[4].icon, MessageIcon::Critical);
        EXPECT_TRUE(std::all_of(dialogs.begin() + 1, dialogs.end(), [](const auto& d) { return d.title == "Game Info"; }));
        EXPECT_TRUE(form.Label8.Visible);
        EXPECT_FALSE(form.tmBrit.Enabled);
        EXPECT_FALSE(form.tmBady.Enabled);
        EXPECT_EQ(form.lblScore.Caption, row.score_after);
        EXPECT_EQ(game.folder.scores(), "\"1230\",\"ann\"\r\n");
        EXPECT_EQ(form.lblHiscore.Caption, "1230");
        EXPECT_EQ(form.lblHiscoren.Caption, "ann");
        EXPECT_EQ(form.imgBady.Visible, row.boss);
        if (row.boss) {
            EXPECT_EQ(form.imgBady.Top, 0) << "the boss stays up at the top edge";
        }

        game.start_game();
        EXPECT_EQ(form.lblScore.Caption, "0");
        EXPECT_EQ(form.lblLives.Caption, "2");
        EXPECT_FALSE(form.imgBady.Visible);
        EXPECT_FALSE(form.tmBady.Enabled);
        EXPECT_EQ(form.frmBady.Visible, row.boss) << "the counter's panel stays from the lost fight";
        EXPECT_EQ(form.lblBady.Caption, "37");
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
        Texts cues{"hit.wav", "gameover.wav"};
        if (row.beaten) {
            cues.push_back("hiscore.wav");
        }
        EXPECT_EQ(game.new_sounds(), cues);
        EXPECT_EQ(game.folder.scores(), row.beaten ? "\"" + std::string(row.score) + "\",\"ann\"\r\n" : file);
        EXPECT_EQ(form.lblHiscore.Caption, row.beaten ? row.score : row.record);
        EXPECT_EQ(form.lblHiscoren.Caption, row.beaten ? "ann" : "bob") << "reloaded from the file";
        EXPECT_EQ(form.lblScore.Caption, "0");
        EXPECT_EQ(form.lblLives.Caption, "2");
    }
}

}  // namespace
}  // namespace vex
