#include "platform/text_file.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

namespace vex {
namespace {

namespace fs = std::filesystem;
using Items = std::vector<std::string>;

TEST(TextFile, ParseItemsReadsFreeFormInput) {
    const std::vector<std::tuple<const char*, const char*, Items>> rows{
        {"two quoted items", "\"1500\",\"Ann\"\r\n", {"1500", "Ann"}},
        {"unquoted number first", "1500,\"Ann\"\r\n", {"1500", "Ann"}},
        {"comma inside quotes kept", "\"10\",\"Smith, J\"", {"10", "Smith, J"}},
        {"empty quoted item", "\"0\",\"\"\r\n", {"0", ""}},
        {"blanks inside quotes kept", "\"  5 \",\" Al \"", {"  5 ", " Al "}},
        {"blanks around unquoted skipped", "  1500  ,  Ann  \r\n", {"1500", "Ann"}},
        {"unquoted number as plain decimal", "0015.0,+7", {"15", "7"}},
        {"line end separates items", "\"1\"\r\n\"two\"\r\n", {"1", "two"}},
        {"bare line feed separates too", "3\n4\n", {"3", "4"}},
        {"only what was asked is read", "\"1\",\"2\",\"3\"", {"1", "2"}},
        {"fewer items than asked", "\"1500\"\r\n", {"1500"}},
        {"empty text gives none", "", {}},
    };
    for (const auto& [what, text, expected] : rows) {
        EXPECT_EQ(parse_items(text, 2), expected) << what;
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
    const std::vector<std::tuple<const char*, fs::path, std::size_t>> rows{
        // what, target, file size limit (0: none)
        {"folder missing", dir / "missing" / "scores.dat", 0},
        {"folder is a plain file", file / "scores.dat", 0},
        {"disk full", file, 4},
    };
    for (const auto& [what, target, limit] : rows) {
        SCOPED_TRACE(what);
        std::optional<std::string> failure;
        {
            std::optional<testing::FileSizeLimit> full_disk;
            if (limit != 0) {
                full_disk.emplace(limit);
            }
            failure = write_file_atomically(target, "\"12345678\",\"a much longer name\"\r\n");
        }
        ASSERT_TRUE(failure.has_value());
        EXPECT_NE(failure->find("scores.dat"), std::string::npos) << *failure;
        EXPECT_EQ(read_file(file), old_record);
        EXPECT_EQ(folder_entries(), Items{"scores.dat"});
    }
}

}  // namespace
}  // namespace vex
