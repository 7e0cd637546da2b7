#include "platform/sdl/desktop/window_hints.h"

#include <SDL_syswm.h>
#include <windows.h>

namespace vex {

namespace {

HWND native_window(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    return SDL_GetWindowWMInfo(window, &info) == SDL_TRUE && info.subsystem == SDL_SYSWM_WINDOWS ? info.info.win.window
                                                                                                  : nullptr;
}

// SDL gives every window a minimise button; a window of fixed size keeps the close button alone.
void remove_size_buttons(HWND window) {
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE, style & ~LONG_PTR{WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME});
    // The frame is drawn again only when told its style changed.
    SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

void offer_close_button_only(SDL_Window* window) {
    if (HWND native = native_window(window)) {
        remove_size_buttons(native);
    }
}

// An owned window is what Windows calls modal for its owner: always above it, minimised with it,
// without a task-bar button of its own.
void make_dialog_box(SDL_Window* box, SDL_Window* owner) {
    HWND native = native_window(box);
    if (native == nullptr) {
        return;
    }
    remove_size_buttons(native);
    if (owner != nullptr) {
        if (HWND owner_native = native_window(owner)) {
            SetWindowLongPtrW(native, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner_native));
        }
    }
}

}  // namespace vex
