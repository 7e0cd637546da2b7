// What the window manager is asked about our windows, set while they are still hidden and after
// their renderer is made (making one may recreate the native window).
#pragma once

#include <SDL.h>

namespace vex {

// A fixed-size window with a close button alone: no minimise, no maximise.
void offer_close_button_only(SDL_Window* window);

// A dialog box with a close button alone. With an owner it is modal for it: it stays above the
// owner, takes the keyboard when the owner is clicked or activated, and has no task-bar entry of
// its own. Without one (the owner is not shown yet) it keeps its own task-bar entry.
void make_dialog_box(SDL_Window* box, SDL_Window* owner);

}  // namespace vex
