// What drawing the whole window costs with the real painter (software renderer, offscreen):
// the loop draws at most one such frame per clock tick.
#include "platform/headless/headless_runtime.h"
#include "platform/sdl/snapshot.h"
#include "shell/form1.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

void BM_PaintWindow(benchmark::State& state) {
    ::setenv("SDL_VIDEODRIVER", "offscreen", 1);
    ::setenv("SDL_RENDER_DRIVER", "software", 1);
    vex::HeadlessRuntime runtime(VEX_PROGRAM_FOLDER);
    vex::Form1 form(runtime);
    form.Frame2.Visible = form.Label6.Visible = form.Label7.Visible = true;  // the most text on screen
    form.lblHiscoren.Caption = std::string(static_cast<std::size_t>(state.range(0)), 'W');  // the record holder's name
    vex::OffscreenView view(form, VEX_PROGRAM_FOLDER);
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.draw());
    }
}
BENCHMARK(BM_PaintWindow)->Arg(3)->Arg(100000)->Arg(5 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace
