#include "platform/paths.h"

#include <string>

namespace vex {

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
