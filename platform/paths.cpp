#include "platform/paths.h"

#include <string>

namespace vex {

std::filesystem::path executable_folder() {
    std::error_code error;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::current_path() : exe.parent_path();
}

std::filesystem::path native_path(const std::filesystem::path& folder, std::string_view game_path) {
    std::filesystem::path result = folder;
    std::string part;
    for (const char c : game_path) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) {
                result /= part;
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        result /= part;
    }
    return result;
}

}  // namespace vex
