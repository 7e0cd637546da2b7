#include "platform/sdl/desktop/video_drivers.h"

#include <string_view>

namespace vex {

bool wayland_reachable(const char* wayland_socket, const char* wayland_display, const char* runtime_dir) {
    const auto set = [](const char* value) { return value != nullptr && *value != '\0'; };
    if (set(wayland_socket)) {
        return true;
    }
    if (set(wayland_display) && *wayland_display == '/') {
        return true;
    }
    return set(runtime_dir) && *runtime_dir == '/';
}

std::string drivers_except(const std::vector<std::string>& drivers, const std::string& unwanted) {
    std::string list;
    for (const std::string& driver : drivers) {
        if (driver != unwanted) {
            list += (list.empty() ? "" : ",") + driver;
        }
    }
    return list;
}

}  // namespace vex
