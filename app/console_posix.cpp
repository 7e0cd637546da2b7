#include "app/console.h"

namespace vex {

// A POSIX program keeps the terminal or pipe it was started with.
void use_starting_console() {}

}  // namespace vex
