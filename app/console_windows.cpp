#include "app/console.h"

#include <cstdio>

#include <windows.h>

namespace vex {

namespace {

bool goes_somewhere(DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

}  // namespace

void use_starting_console() {
    const bool out = goes_somewhere(STD_OUTPUT_HANDLE);
    const bool err = goes_somewhere(STD_ERROR_HANDLE);
    if ((out && err) || !AttachConsole(ATTACH_PARENT_PROCESS)) {
        return;
    }
    if (!out) {
        (void)std::freopen("CONOUT$", "w", stdout);
    }
    if (!err) {
        (void)std::freopen("CONOUT$", "w", stderr);
    }
}

}  // namespace vex
