#include "platform/sdl/desktop/video_subsystem.h"

#include "platform/sdl/desktop/video_drivers.h"
#include "platform/sdl/desktop/x11_errors.h"

#include <SDL.h>

#include <cstdlib>
#include <string_view>
#include <vector>

namespace vex {

namespace {

constexpr const char* no_display =
    "Cannot open a display: neither an X11 display (DISPLAY) nor a Wayland display (WAYLAND_DISPLAY) answered; "
    "SDL_VIDEODRIVER may name another video driver";

// Where no compositor can be reached, SDL is told to try every driver but Wayland's, so that
// the Wayland library does not print its own complaint before ours.
void leave_out_unreachable_wayland() {
    if (wayland_reachable(std::getenv("WAYLAND_SOCKET"), std::getenv("WAYLAND_DISPLAY"),
                          std::getenv("XDG_RUNTIME_DIR"))) {
        return;
    }
    std::vector<std::string> drivers;
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        drivers.emplace_back(SDL_GetVideoDriver(i));
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, drivers_except(drivers, "wayland").c_str());
}

}  // namespace

VideoSubsystem::VideoSubsystem() {
    // The click that brings the window to the front counts, as on any desktop and as every
    // click does in the headless backend. SDL drops a press that it handles within 10 ms of
    // the focus: when the game is busy with a cue, both are handled together afterwards.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    // On Wayland, SDL 2.26 drawing window frames through libdecor crashed as the game window
    // showed after a box closed (weston, libdecor 0.1). Without it, the compositor draws
    // the frames where it offers to; SDL_VIDEO_WAYLAND_ALLOW_LIBDECOR=1 still asks for it.
    SDL_SetHint(SDL_HINT_VIDEO_WAYLAND_ALLOW_LIBDECOR, "0");
    // On Windows the program is aware of each monitor's DPI (its manifest says so too): SDL then
    // reports the monitor's own scale setting, which the window's whole scale follows, and
    // Windows never stretches the picture blurred. Other systems ignore the hint.
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    ignore_lost_wakeups();
    const bool driver_named = SDL_GetHint(SDL_HINT_VIDEODRIVER) != nullptr;
    if (!driver_named) {
        leave_out_unreachable_wayland();
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        m_problem = driver_named ? std::string("Cannot start the video system: ") + SDL_GetError() : no_display;
        return;
    }
    m_ready = true;
    // Windows drawn in software hand their pixels to the server as they are (X11 shares the
    // memory): SDL would otherwise carry them through an OpenGL texture of a context of its
    // own, which on a driver without a GPU costs more than all of the drawing.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // Typed text is wanted only while an input box is open.
    SDL_StopTextInput();
    const std::string_view driver = SDL_GetCurrentVideoDriver();
    if ((driver == "offscreen" || driver == "dummy") && !driver_named) {
        m_problem = no_display;
    }
}

VideoSubsystem::~VideoSubsystem() {
    if (m_ready) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
    }
}

}  // namespace vex
