#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace vex {
namespace {

using Dialog = HeadlessRuntime::Dialog;

TEST(HighScoreFile, LoadCopiesTheTwoItemsIntoTheScoreboard) {
    struct Row {
        const char* what;
        std::optional<std::string> file;
        const char* score;
        const char* name;
    };
    const std::vector<Row> rows{
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
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game(row.file);
        EXPECT_EQ(game.form.lblHiscore.Caption, row.score);
        EXPECT_EQ(game.form.lblHiscoren.Caption, row.name);
        EXPECT_EQ(game.folder.scores(), row.file) << "loading must leave the file as it was";
        EXPECT_EQ(game.runtime.dialogs().size(), 1U) << "only the name box may open";
    }
}

TEST(HighScoreFile, SaveWritesOneExactLineThatReadsBackWhole) {
    struct Row {
        const char* what;
        const char* score;
        const char* player;
        const char* bytes;
        const char* name_read_back;
    };
    const std::vector<Row> rows{
        {"plain", "1230", "ann", "\"1230\",\"ann\"\r\n", "ann"},
        {"comma in the name", "70", "Smith, J", "\"70\",\"Smith, J\"\r\n", "Smith, J"},
        {"empty name", "70", "", "\"70\",\"\"\r\n", ""},
        {"blanks kept", "70", "  Al ", "\"70\",\"  Al \"\r\n", "  Al "},
        {"double quote stored as single", "70", "Al \"Ace\" B", "\"70\",\"Al 'Ace' B\"\r\n", "Al 'Ace' B"},
        {"seven digits", "1234567", "x", "\"1234567\",\"x\"\r\n", "x"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        testing::LoadedGame game("\"999999\",\"old record holder with a long name\"\r\n");
        game.form.lblScore.Caption = row.score;
        game.form.lblPlayer.Caption = row.player;
        game.form.SaveHighScore();
        EXPECT_EQ(game.folder.scores(), row.bytes);
        game.form.LoadHighScore();
        EXPECT_EQ(game.form.lblHiscore.Caption, row.score);
        EXPECT_EQ(game.form.lblHiscoren.Caption, row.name_read_back);
    }
}

TEST(HighScoreFile, SavingTwiceLeavesOnlyTheLaterRecord) {
    testing::LoadedGame game;
    for (const char* score : {"5000", "60"}) {
        game.form.lblScore.Caption = score;
        game.form.SaveHighScore();
    }
    EXPECT_EQ(game.folder.scores(), "\"60\",\"tester\"\r\n");
}

TEST(HighScoreFile, SaveReplacesADamagedFile) {
    testing::LoadedGame game("\"15");
    game.form.lblScore.Caption = "40";
    game.form.SaveHighScore();
    EXPECT_EQ(game.folder.scores(), "\"40\",\"tester\"\r\n");
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
