#include "tests/support/game_fixture.h"

#include <iostream>
#include <tuple>

namespace vex {
namespace {

using testing::Texts;

TEST(HighScoreFile, LoadCopiesTheTwoItemsAndLeavesTheFileAlone) {
    const std::vector<std::tuple<std::optional<std::string>, const char*, const char*>> rows{
        // scores.dat, lblHiscore, lblHiscoren
        {"\"1500\",\"Ann\"\r\n", "1500", "Ann"},        {"  1500 , \"Ann\"\r\n", "1500", "Ann"},
        {"0015.0,  Ann  \r\n", "15", "Ann"},             {"\"20\",\"Smith, J\"\r\n", "20", "Smith, J"},
        {"\"20\",\"\"\r\n", "20", ""},                   {"\"20\",\"  Al  \"\r\n", "20", "  Al  "},
        {"\"20\"\r\n\"Al\"\n", "20", "Al"},              {"\"20\",\"Al\",\"99\"\r\n", "20", "Al"},
        {"\"20\"x,\"Al\"\r\n", "20", "x"} /* junk after a quoted item */,
        {std::nullopt, "0", ""} /* no file */,          {"", "0", ""},
        {"\"1500\"\r\n", "0", ""} /* one item only */,  {"\"15", "0", ""} /* damaged */,
    };
    for (const auto& [file, score, name] : rows) {
        SCOPED_TRACE(file.value_or("no file"));
        testing::LoadedGame game(file);
        EXPECT_EQ((Texts{game.form.lblHiscore.Caption, game.form.lblHiscoren.Caption}), (Texts{score, name}));
        EXPECT_EQ(game.folder.scores(), file) << "loading must leave the file as it was";
        EXPECT_EQ(game.runtime.dialogs().size(), 1U) << "only the name box may open";
        // Loaded again, as at a game's end, it replaces whatever the labels showed meanwhile.
        game.form.lblHiscore.Caption = "7";
        game.form.lblHiscoren.Caption = "Zed";
        game.form.LoadHighScore();
        EXPECT_EQ((Texts{game.form.lblHiscore.Caption, game.form.lblHiscoren.Caption}), (Texts{score, name}));
    }
}

// Saving twice leaves only the later record, though it is shorter.
TEST(HighScoreFile, SaveLeavesOneExactLineThatReadsBackWhole) {
    const std::vector<std::tuple<const char*, const char*, const char*, const char*>> rows{
        // score, player, bytes written, name read back
        {"1230", "ann", "\"1230\",\"ann\"\r\n", "ann"},      {"70", "Smith, J", "\"70\",\"Smith, J\"\r\n", "Smith, J"},
        {"70", "", "\"70\",\"\"\r\n", ""},                   {"70", "  Al ", "\"70\",\"  Al \"\r\n", "  Al "},
        {"70", "Al \"Ace\" B", "\"70\",\"Al 'Ace' B\"\r\n", "Al 'Ace' B"}, {"1234567", "x", "\"1234567\",\"x\"\r\n", "x"},
        {"5", "Zo\xC3\xAB\x01\t\x1B", "\"5\",\"Zo\xC3\xAB\x01\t\x1B\"\r\n", "Zo\xC3\xAB\x01\t\x1B"},
    };
    for (const auto& [score, player, bytes, name] : rows) {
        SCOPED_TRACE(player);
        testing::LoadedGame game;
        for (const auto& [s, p] : {std::pair{"999999", "a previous record holder"}, std::pair{score, player}}) {
            game.form.lblScore.Caption = s;
            game.form.lblPlayer.Caption = p;
            game.form.SaveHighScore();
        }
        EXPECT_EQ(game.folder.scores(), bytes);
        game.form.LoadHighScore();
        EXPECT_EQ((Texts{game.form.lblHiscore.Caption, game.form.lblHiscoren.Caption}), (Texts{score, name}));
    }
}

// Only a score above the record is saved; the record shown is always reloaded from the file. A
// record that cannot be saved is reported; the old file stays and play goes on.
TEST(ShipLost, GameOverKeepsOnlyABetterScore) {
    const std::vector<std::tuple<const char*, const char*, const char*, bool, bool>> rows{
        // what, score in scores.dat, final score, new record, disk full
        {"one point above the record", "1000", "1001", true, false},
        {"equal to the record", "1000", "1000", false, false},
        {"a record that is not a number counts as 0", "none", "1", true, false},
        {"a score of 2^32 + 500 beats 5000 and is stored in full", "5000", "4294967796", true, false},
        {"a score beyond 32 bits counts as the largest 32-bit number", "2147483647", "99999999999", false, false},
        {"a new record on a full disk", "1000", "123456789", true, true},
    };
    const long files = testing::open_files();
    for (const auto& [what, record, score, beaten, full_disk] : rows) {
        SCOPED_TRACE(what);
        const std::string file = "\"" + std::string(record) + "\",\"bob\"\r\n";
        testing::RunningGame game(file);
        Form1& form = game.form;
        form.lblPlayer.Caption = "ann";
        form.lblLives.Caption = "0";
        form.lblScore.Caption = score;
        form.lblHiscoren.Caption = "stale";
        game.answer(1 + beaten + full_disk);
        const auto lose = [&] { form.ShipLost(ShipLossVariant::Wave); };
        if (!full_disk) {
            lose();
        } else if (!testing::with_full_disk(4, lose)) {
            std::cout << "[  SKIPPED ] " << what << ": this system cannot make a disk full\n";
            continue;
        }
        const bool saved = beaten && !full_disk;
        EXPECT_EQ(game.runtime.unanswered_dialogs(), 0U) << "NEW HI SCORE! or the failure shown or missing";
        EXPECT_EQ(game.folder.scores(), saved ? "\"" + std::string(score) + "\",\"ann\"\r\n" : file);
        EXPECT_EQ((Texts{form.lblHiscore.Caption, form.lblHiscoren.Caption}), (Texts{saved ? score : record, saved ? "ann" : "bob"}));
    }
    EXPECT_EQ(testing::open_files(), files) << "files left open";
}

}  // namespace
}  // namespace vex
