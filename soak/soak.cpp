// Plays simulated hours of the game on the headless backend with a random player: keys pressed
// and released, clicks on every label but "Exit", boxes answered with random names. After every
// handler it checks what must always hold, and stops at the first breach with the seed that
// replays it. Usage: vex_soak [simulated hours] [seed]
#include "platform/headless/headless_runtime.h"
#include "platform/key_codes.h"
#include "platform/numbers.h"
#include "platform/record_file.h"
#include "platform/text_file.h"
#include "shell/form1.h"
#include "tests/support/program_folder.h"

#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace vex {
namespace {

namespace fs = std::filesystem;

constexpr double ticks_per_hour = 3600.0 * TickClock::ticks_per_second;

bool whole_number(std::string_view text) {
    const std::optional<double> value = parse_number(text);
    return value.has_value() && std::isfinite(*value) && std::floor(*value) == *value;
}

// Thrown at the first broken rule.
class Breach : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A program folder of the soak's own: the game's sounds and a record of 0, so the first game
// that scores writes a new one.
class SoakFolder : public testing::ProgramFolder {
public:
    SoakFolder() : ProgramFolder("soak") {
        copy_data(VEX_DATA_DIR, {"sounds"});
        write_scores("\"0\",\"nobody\"\r\n");
    }
};

struct Counts {
    std::uint64_t handlers = 0;
    std::uint64_t keys = 0;
    std::uint64_t clicks = 0;
    std::uint64_t boxes = 0;
    std::uint64_t games = 0;
    std::uint64_t game_overs = 0;
    std::uint64_t records = 0;
};

class Soak {
public:
    Soak(std::uint64_t seed, const fs::path& folder)
        : m_random(seed), m_runtime(folder), m_form(m_runtime), m_record_path(folder / "scores.dat") {
        m_runtime.answer_unscripted([this](const HeadlessRuntime::Dialog& dialog) { return answer(dialog); });
        for (Control* control : m_form.controls()) {
            if (control->kind() == ControlKind::Timer) {
                auto& timer = static_cast<Timer&>(*control);
                timer.on_timer = [this, &timer, raise = std::move(timer.on_timer)] { handled(timer.name(), raise); };
            } else if (control->kind() == ControlKind::Label && control != &m_form.Label3) {
                m_labels.push_back(static_cast<Label*>(control));
            }
        }
        handled("Form_Load", [this] { m_runtime.load(m_form); });
    }

    // Plays until the clock reaches `ticks`, then clicks "Exit".
    void play(std::uint64_t ticks) {
        while (m_runtime.now() < ticks) {
            act();
        }
        handled("Label3_Click", [this] { m_runtime.click(m_form.Label3); });
        if (!m_form.unloaded()) {
            throw Breach("\"Exit\" did not close the window");
        }
    }

    const Counts& counts() const { return m_counts; }
    std::uint64_t now() const { return m_runtime.now(); }

private:
    std::uint64_t pick(std::uint64_t below) { return std::uniform_int_distribution<std::uint64_t>(0, below - 1)(m_random); }

    // One move of the player: mostly letting time pass, else a key or a click.
    void act() {
        const std::uint64_t roll = pick(100);
        if (roll < 70) {
            m_runtime.advance(1 + pick(48));
        } else if (roll < 92) {
            static constexpr std::int16_t keys[] = {keys::s, keys::left, keys::right, keys::control, keys::control, 32, 65, 27};
            const std::int16_t key = pick(8) == 0 ? static_cast<std::int16_t>(pick(256)) : keys[pick(std::size(keys))];
            const auto shift = static_cast<std::int16_t>(pick(8));
            ++m_counts.keys;
            if (pick(2) == 0) {
                handled("Form_KeyDown", [&] { m_runtime.key_down(key, shift); });
            } else {
                handled("Form_KeyUp", [&] { m_runtime.key_up(key, shift); });
            }
        } else {
            Label& label = *m_labels[pick(m_labels.size())];
            ++m_counts.clicks;
            handled(label.name() + "_Click", [&] { m_runtime.click(label); });
        }
    }

    // A name now and then empty (cancelled), long, quoted or not ASCII.
    std::string answer(const HeadlessRuntime::Dialog& dialog) {
        ++m_counts.boxes;
        if (dialog.text == "GAME OVER") {
            m_game_over_box = true;
        }
        static const std::vector<std::string> names = {"", "Ann", "Zoë", "\"quoted\", with a comma", "  ", "12345",
                                                       std::string(300, 'x')};
        return names[pick(names.size())];
    }

    // Runs one handler and checks the window after it.
    template <typename Handler>
    void handled(const std::string& name, Handler&& handler) {
        const bool was_running = m_form.tmBrit.Enabled;
        m_game_over_box = false;
        handler();
        ++m_counts.handlers;
        m_runtime.forget_history();
        try {
            check(was_running, name);
        } catch (const Breach& breach) {
            std::ostringstream where;
            where << "after " << name << " at tick " << m_runtime.now() << ": " << breach.what();
            throw Breach(where.str());
        }
    }

    void check(bool was_running, const std::string& handler) {
        if (m_form.unloaded() && handler != "Label3_Click") {
            throw Breach("the window closed");
        }
        for (const Label* counter : {&m_form.lblScore, &m_form.lblLives, &m_form.lblShots, &m_form.lblHits,
                                     &m_form.lblHiscore, &m_form.lblBady}) {
            if (!whole_number(counter->Caption)) {
                throw Breach(counter->name() + " is no whole number: \"" + counter->Caption + "\"");
            }
        }
        const auto lives = parse_number(m_form.lblLives.Caption).value_or(-1);
        if (lives != 0 && lives != 1 && lives != 2) {
            throw Breach("lblLives is " + m_form.lblLives.Caption);
        }
        check_running(was_running, handler);
        check_positions();
        check_record();
    }

    // A game starts only with S and ends only at game over or when an info panel opens.
    void check_running(bool was_running, const std::string& handler) {
        const bool running = m_form.tmBrit.Enabled;
        if (!was_running && running) {
            if (handler != "Form_KeyDown") {
                throw Breach("a game started without S");
            }
            ++m_counts.games;
        } else if (was_running && !running) {
            if (m_game_over_box) {
                ++m_counts.game_overs;
            } else if (handler != "Label1_Click" && handler != "Label2_Click") {
                throw Breach("the game stopped without GAME OVER or an info panel");
            }
        } else if (m_game_over_box) {
            throw Breach("GAME OVER while the game " + std::string(running ? "runs on" : "was not running"));
        }
    }

    void check_positions() const {
        for (const Control* control : m_form.controls()) {
            std::vector<float> values;
            if (control->kind() == ControlKind::Image) {
                const auto& image = static_cast<const Image&>(*control);
                values = {image.Left, image.Top, image.Width, image.Height};
            } else if (control->kind() == ControlKind::Line) {
                const auto& line = static_cast<const Line&>(*control);
                values = {line.X1, line.Y1, line.X2, line.Y2};
            } else if (control->kind() == ControlKind::Label) {
                const auto& label = static_cast<const Label&>(*control);
                values = {label.Left, label.Top, label.Width, label.Height};
            }
            for (const float value : values) {
                if (!std::isfinite(value)) {
                    throw Breach(control->name() + " stands at a position that is no number");
                }
            }
        }
    }

    // The record: one line of a whole score and a name, ended by CR LF.
    void check_record() {
        const Result<std::string> read = read_record_file(m_record_path);
        if (!read) {
            throw Breach("scores.dat cannot be read: " + read.reason());
        }
        const std::string& record = read.value();
        const auto items = parse_items(record, 2);
        if (items.size() != 2 || !whole_number(items[0]) || !record.ends_with("\r\n")) {
            throw Breach("scores.dat does not parse: \"" + record + "\"");
        }
        if (record != m_record) {
            m_record = record;
            ++m_counts.records;
        }
    }

    std::mt19937_64 m_random;
    HeadlessRuntime m_runtime;
    Form1 m_form;
    fs::path m_record_path;
    std::vector<Label*> m_labels;
    Counts m_counts;
    bool m_game_over_box = false;
    std::string m_record;
};

}  // namespace
}  // namespace vex

int main(int argc, char** argv) {
    const double hours = argc > 1 ? std::strtod(argv[1], nullptr) : 1.0;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : std::random_device{}();
    if (!(hours > 0) || argc > 3) {
        std::cerr << "usage: vex_soak [simulated hours] [seed]\n";
        return 2;
    }
    std::cout << "soak: seed " << seed << ", " << hours << " simulated hours" << std::endl;
    const auto started = std::chrono::steady_clock::now();
    try {
        const vex::SoakFolder folder;
        vex::Soak soak(seed, folder.path());
        soak.play(static_cast<std::uint64_t>(hours * vex::ticks_per_hour));
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        const double simulated = static_cast<double>(soak.now()) / vex::ticks_per_hour;
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const vex::Counts& counts = soak.counts();
        std::cout << "soak passed: " << simulated << " simulated hours in " << seconds << " s ("
                  << simulated / seconds << " hours per second); " << counts.handlers << " handlers checked, "
                  << counts.keys << " keys, " << counts.clicks << " clicks, " << counts.boxes << " boxes, "
                  << counts.games << " games, " << counts.game_overs << " game overs, " << counts.records
                  << " records written; peak memory " << usage.ru_maxrss / 1024 << " MiB" << std::endl;
    } catch (const std::exception& error) {
        std::cerr << "soak FAILED (seed " << seed << ") " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
