#include "app/command_line.h"
#include "app/console.h"
#include "app/settings_file.h"
#include "platform/sdl/input/key_bindings.h"
#include "platform/sdl/sdl_runtime.h"
#include "shell/form1.h"

#ifdef VEX_FRAME_TRACE
#include "bench/probes/frame_trace.h"
#endif

#include <algorithm>
#include <iostream>

namespace {

constexpr int usage_error = 2;

}  // namespace

int main(int argc, char** argv) {
    vex::use_starting_console();
    const std::string_view program = argc > 0 ? argv[0] : "vexoids";
    const auto parsed = vex::parse_command_line({argv + std::min(argc, 1), argv + argc});
    if (parsed.error) {
        std::cerr << program << ": " << *parsed.error << " (try --help)\n";
        return usage_error;
    }
    if (parsed.options.help) {
        std::cout << vex::help_text(program);
        return 0;
    }
    if (parsed.options.version) {
        std::cout << "vexoids " << VEX_VERSION << "\n";
        return 0;
    }
    // A bad setting is named and costs only itself: the game starts anyway.
    vex::SettingsRead settings;
    if (const auto file = vex::settings_file_path()) {
        settings = vex::read_settings_file(*file, {vex::key_named, vex::button_named});
    }
    for (const auto& problem : settings.problems) {
        std::cerr << problem << '\n';
    }
    vex::SdlRuntime runtime(vex::with_command_line(settings.settings, parsed.options));
#ifdef VEX_FRAME_TRACE
    // The desktop benchmark's build writes its timing trace while VEX_TRACE_FILE names a file.
    vex::FrameTrace trace;
    runtime.set_observer(trace);
#endif
    vex::Form1 form(runtime);
    return runtime.run(form);
}
