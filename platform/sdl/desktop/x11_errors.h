// SDL 2.26 wakes its own wait for events by sending an event to one of our windows over a second
// connection to the X server. When that window closes meanwhile (a click on "Exit" closes the
// window at once), the server answers that the window is gone, and Xlib's default answer to any
// error is to end the program with status 1. That error is harmless and is ignored; every other
// is handled as before.
#pragma once

namespace vex {

// Called before SDL's video starts: SDL keeps the handler it finds and puts it back before it
// closes its connections, which is when the error is read.
void ignore_lost_wakeups();

}  // namespace vex
