#include "platform/paths.h"

#include <string>

namespace vex {

std::filesystem::path native_path(const std::filesystem::path& folder, std::string_view game_path) {
    std::filesystem::path result = folder;
    std::string part;
    for (const char c : game_path) {
        if (c == '\\' || c == '/') {
            if (!part.empty()) {
                result /= path_from_utf8(part);
            }
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty()) {
        result /= path_from_utf8(part);
    }
    return result;
}

std::filesystem::path path_from_utf8(std::string_view text) {
    return std::u8string(reinterpret_cast<const char8_t*>(text.data()), text.size());
}

std::string utf8_text(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {reinterpret_cast<const char*>(text.data()), text.size()};
}

}  // namespace vex
