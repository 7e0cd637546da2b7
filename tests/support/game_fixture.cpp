#include "tests/support/game_fixture.h"

#include <csignal>
#include <sstream>

#include <sys/resource.h>

namespace vex::testing {

namespace {

template <typename C>
std::string describe(const Control& control) {
    const auto& c = static_cast<const C&>(control);
    std::ostringstream line;
    line << c.name();
    if constexpr (requires { c.Left; }) {
        line << ' ' << c.Left << ' ' << c.Top << ' ' << c.Width << ' ' << c.Height;
    }
    if constexpr (requires { c.X1; }) {
        line << ' ' << c.X1 << ' ' << c.Y1 << ' ' << c.X2 << ' ' << c.Y2;
    }
    if constexpr (requires { c.Caption; }) {
        line << " \"" << c.Caption << '"';
    }
    if constexpr (requires { c.Visible; }) {
        line << (c.Visible ? " shown" : " hidden");
    } else {
        line << (c.Enabled ? " on" : " off");
    }
    return line.str();
}

}  // namespace

Texts snapshot(const Form& form, std::string_view except) {
    using Describe = std::string (*)(const Control&);
    // In the order of ControlKind.
    constexpr Describe by_kind[] = {describe<Image>, describe<Label>, describe<Line>, describe<Frame>, describe<Timer>};
    Texts lines{form.Caption};
    for (const Control* control : form.controls()) {
        if (control->name() != except) {
            lines.push_back(by_kind[static_cast<int>(control->kind())](*control));
        }
    }
    return lines;
}

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
