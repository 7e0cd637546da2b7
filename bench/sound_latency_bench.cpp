// How long after a cue's own length the synchronous play returns, on SDL's dummy audio driver:
// the game stands still for the whole call, so anything beyond the sound is lost play time.
#include "platform/sdl/audio/sound_player.h"
#include "platform/wav_header.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const char* const cues[] = {"pop2.wav", "shoot.wav", "hit.wav", "airraid.wav"};

vex::SoundPlayer& player() {
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    static vex::SoundPlayer shared;
    return shared;
}

void BM_PlayCue(benchmark::State& state) {
    const std::filesystem::path file = std::filesystem::path(VEX_PROGRAM_FOLDER) / "sounds" / cues[state.range(0)];
    const double length_ms = vex::wav_length_ms(file).value_or(0);
    double beyond_ms = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        player().play(file);
        beyond_ms += std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count() - length_ms;
    }
    state.SetLabel(cues[state.range(0)]);
    state.counters["length_ms"] = length_ms;
    state.counters["beyond_length_ms"] = beyond_ms / static_cast<double>(state.iterations());
}
BENCHMARK(BM_PlayCue)->DenseRange(0, 3)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace
