#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace vex {
namespace {

using Dialog = HeadlessRuntime::Dialog;

TEST(HighScoreFile, LoadCopiesTheTwoItemsIntoTheScoreboard) {
    const std::vector<std::tuple<const char*, std::optional<std::string>, const char*, const char*>> rows{
        // what, scores.dat, lblHiscore, lblHiscoren
        {"both quoted", "\"1500\",\"Ann\"\r\n", "1500", "Ann"},
        {"unquoted score", "1500,\"Ann\"\r\n", "1500", "Ann"},
        {"unquoted score padded with blanks", "  1500 , \"Ann\"\r\n", "1500", "Ann"},
        {"comma in the name", "\"20\",\"Smith, J\"\r\n", "20", "Smith, J"},
        {"empty name", "\"20\",\"\"\r\n", "20", ""},
        {"blanks in the name kept", "\"20\",\"  Al  \"\r\n", "20", "  Al  "},
        {"a second line is not read", "\"20\",\"Al\"\r\n\"99\",\"Zo\"\r\n", "20", "Al"},
        {"no file", std::nullopt, "0", ""},
        {"empty file", "", "0", ""},
        {"one item only", "\"1500\"\r\n", "0", ""},
    };
    for (const auto& [what, file, score, name] : rows) {
        SCOPED_TRACE(what);
        testing::LoadedGame game(file);
        EXPECT_EQ(game.form.lblHiscore.Caption, score);
        EXPECT_EQ(game.form.lblHiscoren.Caption, name);
        EXPECT_EQ(game.folder.scores(), file) << "loading must leave the file as it was";
        EXPECT_EQ(game.runtime.dialogs().size(), 1U) << "only the name box may open";
    }
}

TEST(HighScoreFile, SaveLeavesOneExactLineThatReadsBackWhole) {
    const std::vector<std::tuple<const char*, const char*, const char*, const char*>> rows{
        // score, player, bytes written, name read back
        {"1230", "ann", "\"1230\",\"ann\"\r\n", "ann"},
        {"70", "Smith, J", "\"70\",\"Smith, J\"\r\n", "Smith, J"},
        {"70", "", "\"70\",\"\"\r\n", ""},
        {"70", "  Al ", "\"70\",\"  Al \"\r\n", "  Al "},
        {"70", "Al \"Ace\" B", "\"70\",\"Al 'Ace' B\"\r\n", "Al 'Ace' B"},
        {"1234567", "x", "\"1234567\",\"x\"\r\n", "x"},
    };
    for (const auto& [score, player, bytes, name] : rows) {
        SCOPED_TRACE(player);
        testing::LoadedGame game("\"15");  // damaged
        // A first, longer record, then the one of the row over it.
        game.form.lblScore.Caption = "999999";
        game.form.lblPlayer.Caption = "a previous record holder";
        game.form.SaveHighScore();
        game.form.lblScore.Caption = score;
        game.form.lblPlayer.Caption = player;
        game.form.SaveHighScore();
        EXPECT_EQ(game.folder.scores(), bytes);
        game.form.LoadHighScore();
        EXPECT_EQ(game.form.lblHiscore.Caption, score);
        EXPECT_EQ(game.form.lblHiscoren.Caption, name);
    }
}

TEST(HighScoreFile, FailedSaveIsReportedAndPlayGoesOnWithTheOldFile) {
    const std::string old_record = "\"900\",\"kim\"\r\n";
    testing::LoadedGame game(old_record);
    game.start_game();
    game.form.lblScore.Caption = "123456789";
    game.runtime.answer_message_box();
    {
        const testing::FileSizeLimit full_disk(4);
        EXPECT_NO_THROW(game.form.SaveHighScore());
    }
    ASSERT_EQ(game.runtime.dialogs().size(), 2U);
    const Dialog& report = game.runtime.dialogs()[1];
    EXPECT_EQ(report.kind, Dialog::Kind::MessageBox);
    EXPECT_EQ(report.icon, MessageIcon::Critical);
    EXPECT_NE(report.text.find("scores.dat"), std::string::npos) << report.text;
    EXPECT_EQ(game.folder.scores(), old_record);
    EXPECT_TRUE(game.form.tmBrit.Enabled);
    EXPECT_FALSE(game.form.unloaded());
}

}  // namespace
}  // namespace vex
