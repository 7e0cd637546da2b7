// One folder for a fuzz target's whole run; in memory where the machine has it, as saves sync the
// disk.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vex::fuzzing {

inline const std::filesystem::path& scratch_folder() {
    static const std::filesystem::path made = [] {
        std::string pattern = (std::filesystem::exists("/dev/shm") ? "/dev/shm" : "/tmp") + std::string("/vex-fuzz-XXXXXX");
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();
        }
        return std::filesystem::path(pattern);
    }();
    return made;
}

}  // namespace vex::fuzzing
