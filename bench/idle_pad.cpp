// What an idle game costs with and without a gamepad: the real game on the real loop, its name
// given, no game started (the starfield moving, a frame each clock tick), for a fixed time. With
// --pad a virtual pad is plugged in before the window opens. Prints the process's CPU time (all
// threads) over the measured stretch, per 10 s of wall time.
// Usage: vex_idle_pad [--pad] [--seconds S]   (needs a display; the script starts one)
#include "platform/sdl/sdl_runtime.h"
#include "shell/form1.h"
#include "tests/support/virtual_pad.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <string_view>
#include <thread>

namespace {

// The real runtime with the name box answered at once.
class NamedRuntime : public vex::SdlRuntime {
public:
    using SdlRuntime::SdlRuntime;
    std::string input_box(const std::string&, const std::string&, const std::string&) override { return "bench"; }
};

double cpu_seconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

bool plug_in_pad() {
    return SDL_InitSubSystem(SDL_INIT_JOYSTICK) == 0 && vex::testing::plug_in_virtual_pad() >= 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    bool pad = false;
    double seconds = 10;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--pad") {
            pad = true;
        } else if (argument == "--seconds" && i + 1 < argc) {
            seconds = std::atof(argv[++i]);
        } else {
            std::fprintf(stderr, "usage: %s [--pad] [--seconds S]\n", argv[0]);
            return 2;
        }
    }
    NamedRuntime runtime;
    if (pad && !plug_in_pad()) {
        std::fprintf(stderr, "no virtual pad: %s\n", SDL_GetError());
        return 1;
    }
    vex::Form1 form(runtime);
    // The first two seconds open the window and load what it shows; the stretch after is idle.
    double cpu = 0;
    std::thread watch([&] {
        std::this_thread::sleep_for(std::chrono::seconds(2));
        const double begin = cpu_seconds();
        std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
        cpu = cpu_seconds() - begin;
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    });
    const int status = runtime.run(form);
    watch.join();
    std::printf("%s %.1f ms CPU per 10 s\n", pad ? "pad" : "none", cpu / seconds * 10000);
    return status;
}
