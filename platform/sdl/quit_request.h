// SIGTERM and SIGINT end the game as the window's close box does. SDL's event subsystem catches
// both (unless the program was started with them ignored) and turns them into its quit event;
// the loop and the boxes end on that event, and a cue, which waits outside any loop, asks here.
#pragma once

namespace vex {

// Whether the program has been asked to quit: takes in pending events and signals, and looks for
// a quit event among them without taking it from the queue, so the loop still sees it.
bool quit_requested();

}  // namespace vex
