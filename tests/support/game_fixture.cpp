#include "tests/support/game_fixture.h"

#include <csignal>

#include <sys/resource.h>

namespace vex::testing {

void with_full_disk(std::size_t bytes, const std::function<void()>& action) {
    rlimit old_limit{};
    getrlimit(RLIMIT_FSIZE, &old_limit);
    const rlimit limit{bytes, old_limit.rlim_max};
    // Past the limit a write then fails with EFBIG instead of killing the process.
    const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
    action();
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
}

}  // namespace vex::testing
