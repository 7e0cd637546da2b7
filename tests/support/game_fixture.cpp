#include "tests/support/game_fixture.h"

#include "platform/key_codes.h"

#include <csignal>
#include <sstream>

#include <sys/resource.h>

namespace vex::testing {

LoadedGame::LoadedGame(std::optional<std::string> scores, std::string player)
    : folder(std::move(scores)), runtime(folder.path()), form(runtime) {
    runtime.answer_input_box(std::move(player));
    runtime.load(form);
    new_sounds();
}

void LoadedGame::start_game() {
    runtime.key_down(keys::s);
    EXPECT_TRUE(form.tmBrit.Enabled) << "S did not start a game";
}

std::vector<std::string> LoadedGame::new_sounds() {
    const auto all = runtime.sound_names();
    std::vector<std::string> fresh(all.begin() + static_cast<std::ptrdiff_t>(m_sounds_seen), all.end());
    m_sounds_seen = all.size();
    return fresh;
}

std::vector<std::string> snapshot(const Form& form, std::string_view except) {
    std::vector<std::string> lines{"window \"" + form.Caption + "\""};
    for (const Control* control : form.controls()) {
        if (control->name() == except) {
            continue;
        }
        std::ostringstream line;
        const auto describe = [&](const char* kind, const auto& c, std::initializer_list<float> numbers) {
            line << kind << ' ' << c.name() << (c.container ? " in " + c.container->name() : "");
            for (const float number : numbers) {
                line << ' ' << number;
            }
            if constexpr (requires { c.Caption; }) {
                line << " \"" << c.Caption << '"';
            }
            line << (c.Visible ? " shown" : " hidden");
        };
        switch (control->kind()) {
            case ControlKind::Image: {
                const auto& c = static_cast<const Image&>(*control);
                describe("image", c, {c.Left, c.Top, c.Width, c.Height});
                break;
            }
            case ControlKind::Label: {
                const auto& c = static_cast<const Label&>(*control);
                describe("label", c, {c.Left, c.Top, c.Width, c.Height});
                break;
            }
            case ControlKind::Line: {
                const auto& c = static_cast<const Line&>(*control);
                describe("line", c, {c.X1, c.Y1, c.X2, c.Y2});
                break;
            }
            case ControlKind::Frame: {
                const auto& c = static_cast<const Frame&>(*control);
                describe("frame", c, {c.Left, c.Top, c.Width, c.Height});
                break;
            }
            case ControlKind::Timer: {
                const auto& c = static_cast<const Timer&>(*control);
                line << "timer " << c.name() << ' ' << c.interval_ms() << " ms " << (c.Enabled ? "on" : "off");
                break;
            }
        }
        lines.push_back(line.str());
    }
    return lines;
}

FileSizeLimit::FileSizeLimit(std::size_t bytes) {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_old_soft = limit.rlim_cur;
    limit.rlim_cur = bytes;
    // Past the limit a write then fails with EFBIG instead of killing the process.
    m_old_handler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() {
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = m_old_soft;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_old_handler);
}

}  // namespace vex::testing
