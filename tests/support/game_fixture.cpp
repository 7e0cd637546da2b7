#include "tests/support/game_fixture.h"

#include "platform/key_codes.h"

#include <csignal>

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
    std::vector<std::string> lines{"Caption " + form.Caption};
    const auto numbers = [](std::initializer_list<float> values) {
        std::string text;
        for (const float value : values) {
            text += " " + std::to_string(value);
        }
        return text;
    };
    for (const Control* control : form.controls()) {
        if (control->name() == except) {
            continue;
        }
        std::string line = control->name();
        switch (control->kind()) {
            case ControlKind::Image: {
                const auto& c = static_cast<const Image&>(*control);
                line += numbers({c.Left, c.Top}) + (c.Visible ? " shown" : " hidden");
                break;
            }
            case ControlKind::Label: {
                const auto& c = static_cast<const Label&>(*control);
                line += " \"" + c.Caption + "\"" + (c.Visible ? " shown" : " hidden");
                break;
            }
            case ControlKind::Line: {
                const auto& c = static_cast<const Line&>(*control);
                line += numbers({c.X1, c.Y1, c.X2, c.Y2}) + (c.Visible ? " shown" : " hidden");
                break;
            }
            case ControlKind::Frame:
                line += static_cast<const Frame&>(*control).Visible ? " shown" : " hidden";
                break;
            case ControlKind::Timer:
                line += static_cast<const Timer&>(*control).Enabled ? " on" : " off";
                break;
        }
        lines.push_back(std::move(line));
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
