// A program folder of a test's, the soak's or a benchmark's own: a fresh folder under the system's
// temporary folder (never a fixed name), removed with everything in it when it goes.
#pragma once

#include "platform/paths.h"

#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace vex::testing {

class ProgramFolder {
public:
    // `purpose` goes into the name ("vexoids-soak-…"), for whoever finds one a killed run left; it
    // is UTF-8 and may hold any letter. The folder is its owner's alone, as mkdtemp makes one.
    explicit ProgramFolder(const std::string& purpose) {
        constexpr int tries = 100;
        std::random_device random;
        for (int attempt = 0; attempt < tries; ++attempt) {
            const std::filesystem::path name = std::filesystem::temp_directory_path() /
                                               path_from_utf8("vexoids-" + purpose + "-" + std::to_string(random()));
            if (std::filesystem::create_directory(name)) {
                std::filesystem::permissions(name, std::filesystem::perms::owner_all);
                m_path = name;
                return;
            }
        }
        throw std::runtime_error("cannot make a folder for the " + purpose);
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
