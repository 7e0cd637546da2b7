// The floor the game's costs are measured against: the least an SDL2 program does to show a
// window of the game's size at the game's pace. It clears and presents a black 592 x 506 window
// 64 times a second with the default renderer, sleeping between frames, until it is closed.
#include "bench/probes/frame_trace.h"

#include <SDL.h>

namespace {

constexpr int width = 592;
constexpr int height = 506;
constexpr Uint64 frames_per_second = 64;

}  // namespace

int main(int /*argc*/, char* /*argv*/[]) {
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        SDL_Log("SDL_Init: %s", SDL_GetError());
        return 1;
    }
    SDL_Window* window = SDL_CreateWindow("floor", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                                          SDL_WINDOW_SHOWN);
    SDL_Renderer* renderer = window != nullptr ? SDL_CreateRenderer(window, -1, 0) : nullptr;
    if (renderer == nullptr) {
        SDL_Log("window: %s", SDL_GetError());
        return 1;
    }
    vex::FrameTrace trace;
    trace.loop_starting();
    const Uint64 start = SDL_GetPerformanceCounter();
    const Uint64 frequency = SDL_GetPerformanceFrequency();
    bool quit = false;
    for (Uint64 frame = 0; !quit; ++frame) {
        SDL_Event event;
        while (SDL_PollEvent(&event) != 0) {
            trace.event_taken(event);
            quit = quit || event.type == SDL_QUIT;
        }
        trace.tick_started(frame);
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, SDL_ALPHA_OPAQUE);
        SDL_RenderClear(renderer);
        SDL_RenderPresent(renderer);
        trace.frame_presented();
        if (frame == 0) {
            trace.window_shown();
        }
        // Sleeps in whole milliseconds up to the next frame's start, as most SDL programs do.
        const Uint64 next = start + (frame + 1) * frequency / frames_per_second;
        const Uint64 now = SDL_GetPerformanceCounter();
        if (next > now) {
            SDL_Delay(static_cast<Uint32>(((next - now) * 1000 + frequency - 1) / frequency));
        }
    }
    SDL_DestroyRenderer(renderer);
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}
