#include "app/command_line.h"
#include "app/console.h"
#include "app/replay_session.h"
#include "app/settings_file.h"
#include "platform/paths.h"
#include "platform/record_file.h"
#include "platform/replay/recording_runtime.h"
#include "platform/replay/replay_runtime.h"
#include "platform/sdl/input/key_bindings.h"
#include "platform/sdl/sdl_runtime.h"
#include "shell/form1.h"

#ifdef VEX_FRAME_TRACE
#include "bench/probes/frame_trace.h"
#endif

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>

namespace {

constexpr int usage_error = 2;
// How long a replayed box stays on screen before it closes with the recorded answer.
constexpr std::uint32_t replayed_box_ms = 1200;

int record_session(vex::SdlRuntime& window, const std::string& file) {
    vex::RecordingRuntime recorder(window, file);
    const auto record = vex::read_record_file(vex::native_path(window.record_folder(), "\\scores.dat"));
    if (const vex::Status started = recorder.start(record ? std::optional(record.value()) : std::nullopt); !started) {
        std::cerr << file << ": " << started.reason() << '\n';
        return usage_error;
    }
    vex::Form1 form(recorder);
    recorder.attach(form);
    const int status = window.run(form);
    recorder.finish(form.session_result());
    if (const auto& problem = recorder.write_problem()) {
        std::cerr << *problem << '\n';
    }
    return status;
}

int replay_session(vex::SdlRuntime& window, const std::string& file) {
    const auto loaded = vex::load_replay(file);
    if (!loaded) {
        std::cerr << loaded.reason() << '\n';
        return vex::replay_unreadable;
    }
    const vex::ReplayRecordFolder folder(loaded.value().record);
    window.close_boxes_after(replayed_box_ms);
    vex::ReplayRuntime runtime(loaded.value().seed, folder.path(), &window);
    vex::Form1 form(runtime);
    form.set_replaying(true);
    vex::ReplayPlayer player(form, loaded.value());
    runtime.set_player(player);
    try {
        if (const int status = window.run(form, player); status != 0) {
            return status;
        }
    } catch (const vex::ReplayStopped& stopped) {
        std::cerr << file << ": " << stopped.what() << '\n';
        return stopped.damaged() ? vex::replay_unreadable : 0;
    }
    // Played to its end or stopped by Escape, the replay says where it got to, as --verify does.
    vex::ReplayResult result = form.session_result();
    result.rounds = player.last_round();
    (void)vex::report_replay(file, loaded.value(), result, std::cout);
    return 0;
}

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
    if (parsed.options.verify) {
        return vex::verify_replay(*parsed.options.verify, std::cout);
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
    if (parsed.options.record) {
        return record_session(runtime, *parsed.options.record);
    }
    if (parsed.options.replay) {
        return replay_session(runtime, *parsed.options.replay);
    }
    vex::Form1 form(runtime);
    return runtime.run(form);
}
