#include "platform/text_file.h"
#include "tests/support/game_fixture.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace vex {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

TEST(TextFile, ParseItemsReadsFreeFormInput) {
    struct Row {
        const char* what;
        const char* text;
        std::size_t count;
        Items expected;
    };
    const std::vector<Row> rows{
        {"two quoted items", "\"1500\",\"Ann\"\r\n", 2, {"1500", "Ann"}},
        {"unquoted number first", "1500,\"Ann\"\r\n", 2, {"1500", "Ann"}},
        {"comma inside quotes kept", "\"10\",\"Smith, J\"", 2, {"10", "Smith, J"}},
        {"empty quoted item", "\"0\",\"\"\r\n", 2, {"0", ""}},
        {"blanks inside quotes kept", "\"  5 \",\" Al \"", 2, {"  5 ", " Al "}},
        {"blanks around unquoted skipped", "  1500  ,  Ann  \r\n", 2, {"1500", "Ann"}},
        {"unquoted number as plain decimal", "0015.0,+7", 2, {"15", "7"}},
        {"line end separates items", "\"1\"\r\n\"two\"\r\n", 2, {"1", "two"}},
        {"bare line feed separates too", "3\n4\n", 2, {"3", "4"}},
        {"only what was asked is read", "\"1\",\"2\",\"3\"", 2, {"1", "2"}},
        {"fewer items than asked", "\"1500\"\r\n", 2, {"1500"}},
        {"empty text gives none", "", 2, {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(parse_items(row.text, row.count), row.expected) << row.what;
    }
}

class WriteFileAtomically : public ::testing::Test {
protected:
    Items folder_entries() const {
        Items names;
        for (const auto& entry : fs::directory_iterator(dir)) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }

    testing::TestFolder folder{std::nullopt, false};
    fs::path dir = folder.path() / "record";
    fs::path file = dir / "scores.dat";

    void SetUp() override { fs::create_directories(dir); }
};

TEST_F(WriteFileAtomically, WritesExactBytesAndReplacesTheOldContentWithoutLeftovers) {
    const std::string first("\"1230\",\"ann\"\r\n\0\xff", 16);
    ASSERT_EQ(write_file_atomically(file, first), std::nullopt);
    EXPECT_EQ(read_file(file), first);
    ASSERT_EQ(write_file_atomically(file, "x"), std::nullopt);
    EXPECT_EQ(read_file(file), "x");
    EXPECT_EQ(folder_entries(), Items{"scores.dat"});
}

TEST_F(WriteFileAtomically, FailureIsExplainedAndLeavesTheOldFileWhole) {
    const std::string old_record = "\"900\",\"kim\"\r\n";
    ASSERT_EQ(write_file_atomically(file, old_record), std::nullopt);
    std::optional<std::string> failure;
    {
        const testing::FileSizeLimit limit(4);
        failure = write_file_atomically(file, "\"12345678\",\"a much longer name\"\r\n");
    }
    ASSERT_TRUE(failure.has_value());
    EXPECT_NE(failure->find("scores.dat"), std::string::npos) << *failure;
    EXPECT_EQ(read_file(file), old_record);
    EXPECT_EQ(folder_entries(), Items{"scores.dat"});
}

TEST_F(WriteFileAtomically, FailsWhereTheFolderCannotHoldFiles) {
    const fs::path missing_folder = dir / "missing" / "scores.dat";
    const fs::path folder_is_a_file = file / "scores.dat";
    ASSERT_EQ(write_file_atomically(file, "plain file"), std::nullopt);
    for (const fs::path& target : {missing_folder, folder_is_a_file}) {
        const auto failure = write_file_atomically(target, "data");
        ASSERT_TRUE(failure.has_value()) << target;
        EXPECT_FALSE(failure->empty());
    }
    EXPECT_EQ(read_file(file), "plain file");
}

TEST(TextFile, ReadFileOfAMissingFileIsEmptyHanded) {
    EXPECT_EQ(read_file("/nonexistent-folder/scores.dat"), std::nullopt);
}

}  // namespace
}  // namespace vex
