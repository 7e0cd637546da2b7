#include "platform/sdl/desktop/window_hints.h"

#include <SDL_syswm.h>
#include <X11/Xutil.h>

#include <initializer_list>
#include <optional>
#include <vector>

namespace vex {

namespace {

// The X11 side of a window; nothing on other video drivers, which have their own conventions.
struct NativeWindow {
    Display* display;
    Window window;

    Atom atom(const char* name) const { return XInternAtom(display, name, False); }

    void set_atoms(const char* property, std::initializer_list<const char*> names) const {
        std::vector<Atom> atoms;
        for (const char* name : names) {
            atoms.push_back(atom(name));
        }
        XChangeProperty(display, window, atom(property), XA_ATOM, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(atoms.data()), static_cast<int>(atoms.size()));
    }
};

std::optional<NativeWindow> native_window(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) {
        return std::nullopt;
    }
    return NativeWindow{info.info.x11.display, info.info.x11.window};
}

// The Motif window-manager hints: which functions and decorations the window offers.
void set_motif_hints(const NativeWindow& native) {
    constexpr long functions_given = 1L << 0;
    constexpr long decorations_given = 1L << 1;
    constexpr long move = 1L << 2;
    constexpr long close = 1L << 5;
    constexpr long border = 1L << 1;
    constexpr long title = 1L << 3;
    constexpr long menu = 1L << 4;
    // Flags, functions, decorations, input mode, status: moved and closed, nothing else.
    const long hints[5] = {functions_given | decorations_given, move | close, border | title | menu, 0, 0};
    const Atom motif = native.atom("_MOTIF_WM_HINTS");
    XChangeProperty(native.display, native.window, motif, motif, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(hints), 5);
}

}  // namespace

void offer_close_button_only(SDL_Window* window) {
    if (const auto native = native_window(window)) {
        set_motif_hints(*native);
        XFlush(native->display);
    }
}

void make_dialog_box(SDL_Window* box, SDL_Window* owner) {
    if (owner != nullptr) {
        SDL_SetWindowModalFor(box, owner);
    }
    const auto native = native_window(box);
    if (!native) {
        return;
    }
    set_motif_hints(*native);
    // The place asked for is the box's own, not its frame's: the frame goes around it, so that a
    // box centred on the game window is, whatever the height of its title bar.
    XSizeHints* hints = XAllocSizeHints();
    if (hints != nullptr) {
        long given = 0;
        XGetWMNormalHints(native->display, native->window, hints, &given);
        hints->flags |= PWinGravity;
        hints->win_gravity = StaticGravity;
        XSetWMNormalHints(native->display, native->window, hints);
        XFree(hints);
    }
    native->set_atoms("_NET_WM_WINDOW_TYPE", {"_NET_WM_WINDOW_TYPE_DIALOG"});
    // Set before the box is mapped, the state is the box's from the start.
    if (owner != nullptr) {
        native->set_atoms("_NET_WM_STATE", {"_NET_WM_STATE_MODAL", "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    }
    XFlush(native->display);
}

}  // namespace vex
