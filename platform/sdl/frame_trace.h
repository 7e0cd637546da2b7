// A timing trace for the desktop benchmark (scripts/bench_desktop.sh): when each clock tick was
// handled, when frames and windows became visible, which keys arrived, what cues and boxes cost.
// Written only by a build configured with -DVEX_FRAME_TRACE=ON and only while VEX_TRACE_FILE
// names a file; otherwise every call returns at once. Times are CLOCK_MONOTONIC nanoseconds.
#pragma once

#include <cstdint>

union SDL_Event;

namespace vex::trace {

bool active();
// A new tick of the clock is being handled.
void tick(std::uint64_t tick);
// A frame has been presented.
void frame();
// A window is mapped and its first frame drawn.
void shown(const char* window);
// The program stands still for a cue (with its sound's own length) or a modal box; the process's
// CPU time is written beside both ends.
void begin(const char* what, double length_ms);
void end(const char* what);
// Asks SDL for the X server's own event times, so a key press is traced with the time the server
// took it (milliseconds of CLOCK_MONOTONIC, as Xvfb counts) beside the time it was handled.
void watch_server_times();
// Every event the program handles: key presses are traced.
void event(const SDL_Event& event);

}  // namespace vex::trace
