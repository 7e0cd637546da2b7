#include "app/config_folder.h"

#include <cstdlib>
#include <string_view>

namespace vex {

std::optional<std::filesystem::path> configuration_folder() {
    // The XDG base directories count only when absolute.
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && std::string_view(config).starts_with('/')) {
        return std::filesystem::path(config);
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".config";
    }
    return std::nullopt;
}

}  // namespace vex
