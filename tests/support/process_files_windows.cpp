#include "tests/support/process_files.h"

#include <windows.h>

namespace vex::testing {

long open_files() {
    DWORD handles = 0;
    GetProcessHandleCount(GetCurrentProcess(), &handles);
    return static_cast<long>(handles);
}

// Windows caps no file size per process, and a full volume cannot be made without rights.
bool with_full_disk(std::size_t /*bytes*/, const std::function<void()>& /*action*/) { return false; }

}  // namespace vex::testing
