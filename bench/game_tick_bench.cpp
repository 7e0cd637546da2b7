// What one clock tick of a running game costs: every enabled timer's handler, as the real loop
// raises them 64 times a second.
#include "platform/headless/headless_runtime.h"
#include "platform/key_codes.h"
#include "shell/form1.h"

#include "tests/support/program_folder.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {

// A silent program folder of this run's own (no sounds, so the measured ticks contain only the
// game's own work), removed at exit.
const std::filesystem::path& silent_folder() {
    static const vex::testing::ProgramFolder folder("bench");
    return folder.path();
}

void BM_RunningGameTick(benchmark::State& state) {
    vex::HeadlessRuntime runtime(silent_folder());
    vex::Form1 form(runtime);
    runtime.answer_input_box("bench");
    runtime.load(form);
    runtime.key_down(vex::keys::s);
    runtime.key_down(vex::keys::left);
    for (auto _ : state) {
        // Keep the game running: the ship never meets the wave while it shuttles at the left edge
        // and the Vexoids are pulled back up before they reach its row.
        for (vex::Image* vexoid : {&form.imgBrit1, &form.imgBrit2, &form.imgBrit3, &form.imgBrit4}) {
            if (vexoid->Top > 4000) {
                vexoid->Top = 0;
            }
        }
        runtime.advance(1);
    }
    benchmark::DoNotOptimize(form.imgBrit1.Top);
}
BENCHMARK(BM_RunningGameTick);

void BM_StarfieldOnlyTick(benchmark::State& state) {
    vex::HeadlessRuntime runtime(silent_folder());
    vex::Form1 form(runtime);
    runtime.answer_input_box("bench");
    runtime.load(form);
    for (auto _ : state) {
        runtime.advance(1);
    }
    benchmark::DoNotOptimize(form.Line5.Y1);
}
BENCHMARK(BM_StarfieldOnlyTick);

}  // namespace
