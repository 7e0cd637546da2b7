// A program folder of its own for each test: the game's sounds and pictures beside a scores.dat
// that the test chooses, so no test touches a player's record.
#pragma once

#include "tests/support/program_folder.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace vex::testing {

// The bytes of a file, or nullopt when it cannot be read.
inline std::optional<std::string> file_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return in ? std::optional(std::string(std::istreambuf_iterator<char>(in), {})) : std::nullopt;
}

class TestFolder : public ProgramFolder {
public:
    // `scores` is the content of scores.dat; nullopt leaves the file out. `purpose` goes into the
    // folder's name, which may hold any letter.
    explicit TestFolder(const std::optional<std::string>& scores = "\"0\",\"nobody\"\r\n", const std::string& purpose = "test")
        : ProgramFolder(purpose) {
        copy_data(VEX_DATA_DIR, {"pictures", "sounds"});
        if (scores) {
            write_scores(*scores);
        }
    }

    // The bytes of scores.dat, or nullopt when it does not exist.
    std::optional<std::string> scores() const { return file_bytes(path() / "scores.dat"); }
};

}  // namespace vex::testing
