// What a replay costs: the size of a recorded session of one and of ten game minutes, and how
// many game minutes --verify replays in a second. The session is played headless by a scripted
// player who keeps a game going (S after each game over), fires every sixth round and sways left
// and right, with the game's own cues holding the clock as they do in the window.
#include "app/replay_session.h"
#include "platform/headless/headless_runtime.h"
#include "platform/key_codes.h"
#include "platform/replay/recording_runtime.h"
#include "shell/form1.h"

#include "tests/support/program_folder.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

namespace {

constexpr std::uint64_t rounds_per_minute = 64 * 60;

// A program folder with the game's sounds, so that cues take the time they take in play.
struct SessionFolder {
    SessionFolder() {
        std::filesystem::copy(std::filesystem::path(VEX_PROGRAM_FOLDER) / "sounds", folder.path() / "sounds",
                              std::filesystem::copy_options::recursive);
    }
    vex::testing::ProgramFolder folder{"replay-bench"};
};

std::filesystem::path record_session(const SessionFolder& place, std::uint64_t minutes) {
    const std::filesystem::path file = place.folder.path() / ("session-" + std::to_string(minutes) + ".replay");
    vex::HeadlessRuntime runtime(place.folder.path());
    vex::RecordingRuntime recorder(runtime, file);
    vex::Form1 form(recorder);
    if (!recorder.start(std::string())) {
        throw std::runtime_error("cannot write " + file.string());
    }
    recorder.attach(form);
    runtime.answer_unscripted([](const vex::HeadlessRuntime::Dialog&) { return std::string("bench"); });
    runtime.load(form);
    for (std::uint64_t round = 0; runtime.now() < minutes * rounds_per_minute; ++round) {
        if (round % 64 == 0 && (form.intLevel == 0 || form.Label8.Visible)) {
            runtime.key_down(vex::keys::s);
        }
        if (round % 6 == 0) {
            runtime.key_down(vex::keys::control);
            runtime.key_up(vex::keys::control);
        }
        if (round % 200 == 0 || round % 200 == 100) {
            const std::int16_t arrow = round % 400 < 200 ? vex::keys::left : vex::keys::right;
            round % 200 == 0 ? runtime.key_down(arrow) : runtime.key_up(arrow);
        }
        runtime.advance(1);
    }
    recorder.finish(form.session_result());
    return file;
}

void BM_VerifyReplay(benchmark::State& state) {
    const auto minutes = static_cast<std::uint64_t>(state.range(0));
    const SessionFolder place;
    const std::filesystem::path file = record_session(place, minutes);
    for (auto _ : state) {
        std::ostringstream said;
        if (vex::verify_replay(file, said) != vex::replay_matches) {
            state.SkipWithError(said.str().c_str());
            break;
        }
    }
    state.counters["file_bytes"] = static_cast<double>(std::filesystem::file_size(file));
    state.counters["game_minutes_per_s"] =
        benchmark::Counter(static_cast<double>(minutes), benchmark::Counter::kIsIterationInvariantRate);
}
BENCHMARK(BM_VerifyReplay)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);

}  // namespace
