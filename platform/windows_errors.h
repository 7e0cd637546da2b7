// Windows' error codes as std::error_code, with the system's own words for each and the portable
// conditions (no such file, file exists) the callers compare against.
#pragma once

#include <system_error>

namespace vex {

std::error_code windows_error(unsigned long code);

// The calling thread's last error (GetLastError).
std::error_code last_windows_error();

}  // namespace vex
