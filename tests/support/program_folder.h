// A program folder of a test's, the soak's or a benchmark's own: a fresh folder under the system's
// temporary folder (never a fixed name), removed with everything in it when it goes.
#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <string>
#include <system_error>

namespace vex::testing {

class ProgramFolder {
public:
    // `purpose` goes into the name ("vexoids-soak-…"), for whoever finds one a killed run left.
    explicit ProgramFolder(const std::string& purpose) {
        std::string name = (std::filesystem::temp_directory_path() / ("vexoids-" + purpose + "-XXXXXX")).string();
        if (::mkdtemp(name.data()) == nullptr) {
            throw std::system_error(errno, std::generic_category(), "cannot make a folder for the " + purpose);
        }
        m_path = name;
    }
    ~ProgramFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }

    // Copies these folders of the game's data ("pictures", "sounds") from `data` into it.
    void copy_data(const std::filesystem::path& data, std::initializer_list<const char*> folders) const {
        for (const char* folder : folders) {
            std::filesystem::copy(data / folder, m_path / folder, std::filesystem::copy_options::recursive);
        }
    }

    void write_scores(const std::string& bytes) const { std::ofstream(m_path / "scores.dat", std::ios::binary) << bytes; }

private:
    std::filesystem::path m_path;
};

}  // namespace vex::testing
