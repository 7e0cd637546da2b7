// What a frame costs with the real painter (software renderer, offscreen): the whole window
// once, then each frame paints again what changed, here the starfield moving a step.
#include "platform/headless/headless_runtime.h"
#include "bench/probes/offscreen_view.h"
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
    view.draw();
    for (auto _ : state) {
        for (vex::Line* star : {&form.Line5, &form.Line6, &form.Line7, &form.Line8, &form.Line9, &form.Line10}) {
            star->Y1 = star->Y1 > 8000 ? 0 : star->Y1 + 75;
            star->Y2 = star->Y1 + 100;
        }
        benchmark::DoNotOptimize(view.draw());
    }
}
BENCHMARK(BM_PaintWindow)->Arg(3)->Arg(100000)->Arg(5 << 20)->Unit(benchmark::kMicrosecond);

}  // namespace
