// A program folder of its own for each test: the game's sounds and pictures beside a scores.dat
// that the test chooses, so no test touches a player's record.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <system_error>

namespace vex::testing {

// The bytes of a file, or nullopt when it cannot be read.
inline std::optional<std::string> file_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return in ? std::optional(std::string(std::istreambuf_iterator<char>(in), {})) : std::nullopt;
}

class TestFolder {
public:
    // `scores` is the content of scores.dat; nullopt leaves the file out.
    explicit TestFolder(std::optional<std::string> scores = "\"0\",\"nobody\"\r\n") {
        namespace fs = std::filesystem;
        std::string name = (fs::temp_directory_path() / "vexoids-test-XXXXXX").string();
        if (::mkdtemp(name.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), name);
        }
        m_path = name;
        fs::copy(fs::path(VEX_DATA_DIR) / "pictures", m_path / "pictures", fs::copy_options::recursive);
        fs::copy(fs::path(VEX_DATA_DIR) / "sounds", m_path / "sounds", fs::copy_options::recursive);
        if (scores) {
            std::ofstream(m_path / "scores.dat", std::ios::binary) << *scores;
        }
    }
    ~TestFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TestFolder(const TestFolder&) = delete;
    TestFolder& operator=(const TestFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    // The bytes of scores.dat, or nullopt when it does not exist.
    std::optional<std::string> scores() const { return file_bytes(m_path / "scores.dat"); }

private:
    std::filesystem::path m_path;
};

}  // namespace vex::testing
