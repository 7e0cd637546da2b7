// Standard output and error for a program built for the desktop.
#pragma once

namespace vex {

// A Windows program built for the desktop opens no console, and so has nowhere to print --help,
// --version or a fatal error when started from one: it takes the console it was started from.
// Output already going somewhere (a file, a pipe) keeps going there. Elsewhere: nothing to do.
void use_starting_console();

}  // namespace vex
