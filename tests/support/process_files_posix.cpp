#include "tests/support/process_files.h"

#include <csignal>
#include <filesystem>
#include <iterator>

#include <sys/resource.h>

namespace vex::testing {

long open_files() { return std::distance(std::filesystem::directory_iterator("/proc/self/fd"), {}); }

bool with_full_disk(std::size_t bytes, const std::function<void()>& action) {
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    const rlimit limit{bytes, old_limit.rlim_max};
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);  // past the limit a write fails with EFBIG
    setrlimit(RLIMIT_FSIZE, &limit);
    action();
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    return true;
}

}  // namespace vex::testing
