#include "platform/sdl/desktop/x11_errors.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

namespace vex {

namespace {

XErrorHandler next_handler = nullptr;

int handle_error(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->request_code == X_SendEvent) {
        return 0;
    }
    return next_handler != nullptr ? next_handler(display, error) : 0;
}

}  // namespace

void ignore_lost_wakeups() {
    if (const XErrorHandler previous = XSetErrorHandler(handle_error); previous != handle_error) {
        next_handler = previous;
    }
}

}  // namespace vex
