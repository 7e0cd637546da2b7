// Linked into every program of a sanitizer build: the options the sanitizers start with, so the
// program, its tests and the soak report alike however they are started. Options given in the
// environment still win. Leaks are checked; those inside system libraries are suppressed by name.
#include "leak_suppressions.h"

extern "C" {

const char* __asan_default_options() { return "detect_leaks=1:exitcode=23"; }

const char* __lsan_default_options() { return "print_suppressions=0"; }

const char* __lsan_default_suppressions() { return leak_suppressions; }

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1:exitcode=24"; }

// SDL loads the GL drivers, D-Bus and parts of X with dlopen and unloads them at exit. Kept loaded,
// their frames in a leak report carry their names, which the suppressions match; unloaded, they
// would show as unknown modules that nothing can name.
int dlclose(void* /*handle*/) { return 0; }
}
