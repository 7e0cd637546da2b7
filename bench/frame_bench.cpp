// What drawing the whole window costs with the real painter (software renderer, offscreen):
// the loop draws at most one such frame per clock tick.
#include "platform/headless/headless_runtime.h"
#include "platform/sdl/snapshot.h"
#include "shell/form1.h"

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void BM_PaintWindow(benchmark::State& state) {
    ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ::setenv("SDL_RENDER_DRIVER", "software", 1);
    vex::HeadlessRuntime runtime(VEX_PROGRAM_FOLDER);
    vex::Form1 form(runtime);
    form.Frame2.Visible = form.Label6.Visible = form.Label7.Visible = true;  // the most text on screen
    vex::OffscreenView view(form, VEX_PROGRAM_FOLDER);
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.draw());
    }
}
BENCHMARK(BM_PaintWindow)->Unit(benchmark::kMicrosecond);

}  // namespace
