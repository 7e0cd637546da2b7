#include "app/config_folder.h"

#include <cstdlib>

namespace vex {

std::optional<std::filesystem::path> configuration_folder() {
    // The wide environment, so that a user name such as "Zoë" survives.
    const wchar_t* appdata = _wgetenv(L"APPDATA");
    if (appdata != nullptr && *appdata != L'\0') {
        return std::filesystem::path(appdata);
    }
    return std::nullopt;
}

}  // namespace vex
