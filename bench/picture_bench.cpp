// What start-up pays to read and check every picture of the game before the name box.
#include "platform/headless/headless_runtime.h"
#include "platform/sdl/draw/picture_file.h"
#include "shell/form1.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CheckEveryPicture(benchmark::State& state) {
    vex::HeadlessRuntime runtime(VEX_PROGRAM_FOLDER);
    const vex::Form1 form(runtime);
    for (auto _ : state) {
        benchmark::DoNotOptimize(vex::require_form_pictures(form, VEX_PROGRAM_FOLDER));
    }
}
BENCHMARK(BM_CheckEveryPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
