#include "platform/sdl/desktop/x11_errors.h"

namespace vex {

// Windows has no X server: SDL wakes its wait for events with a message of the system's own, which
// cannot outlive its window into an error.
void ignore_lost_wakeups() {}

}  // namespace vex
