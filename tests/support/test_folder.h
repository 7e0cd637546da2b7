// A program folder of its own for each test: the game's sounds and pictures beside a scores.dat
// that the test chooses, so no test touches a player's record.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vex::testing {

class TestFolder {
public:
    // `scores` is the content of scores.dat; nullopt leaves the file out.
    explicit TestFolder(std::optional<std::string> scores = "\"0\",\"nobody\"\r\n");
    ~TestFolder();
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The bytes of scores.dat, or nullopt when it does not exist.
    std::optional<std::string> scores() const;

private:
    std::filesystem::path m_path;
};

}  // namespace vex::testing
