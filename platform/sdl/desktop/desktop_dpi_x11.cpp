#include "platform/sdl/desktop/desktop_dpi.h"

#include "platform/sdl/desktop/xsettings.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

#include <cstdlib>
#include <string>

namespace vex {

namespace {

constexpr float xsettings_dpi_unit = 1024;

int ignore_error(Display* /*display*/, XErrorEvent* /*error*/) { return 0; }

std::optional<float> positive(float dpi) { return dpi > 0 ? std::optional<float>(dpi) : std::nullopt; }

// The daemon owns a selection named after the screen and keeps the settings in a property of the
// window that owns it. That window may close while it is read: the error is ignored, not fatal.
std::optional<float> settings_daemon_dpi(Display* display) {
    const std::string selection = "_XSETTINGS_S" + std::to_string(DefaultScreen(display));
    const Window owner = XGetSelectionOwner(display, XInternAtom(display, selection.c_str(), False));
    if (owner == None) {
        return std::nullopt;
    }
    const XErrorHandler previous = XSetErrorHandler(ignore_error);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long left = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, owner, XInternAtom(display, "_XSETTINGS_SETTINGS", False), 0,
                                          0x10000, False, AnyPropertyType, &type, &format, &count, &left, &data);
    XSync(display, False);
    XSetErrorHandler(previous);
    std::optional<float> dpi;
    if (status == Success && data != nullptr && format == 8) {
        if (const auto value = xsettings_integer({data, count}, "Xft/DPI")) {
            dpi = positive(static_cast<float>(*value) / xsettings_dpi_unit);
        }
    }
    if (data != nullptr) {
        XFree(data);
    }
    return dpi;
}

// The resources of the RESOURCE_MANAGER property of the root window, read when the display was
// opened.
std::optional<float> resource_dpi(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr) {
        return std::nullopt;
    }
    XrmInitialize();
    const XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    std::optional<float> dpi;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) == True && value.addr != nullptr) {
        dpi = positive(std::strtof(value.addr, nullptr));
    }
    XrmDestroyDatabase(database);
    return dpi;
}

}  // namespace

std::optional<float> x11_desktop_dpi() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return std::nullopt;
    }
    std::optional<float> dpi = settings_daemon_dpi(display);
    if (!dpi) {
        dpi = resource_dpi(display);
    }
    XCloseDisplay(display);
    return dpi;
}

}  // namespace vex
