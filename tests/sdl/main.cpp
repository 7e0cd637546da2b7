// The SDL suites draw with the software renderer and play sound through the silent dummy driver.
// They run on SDL's offscreen video driver and need no display, unless started with
// --video-driver=NAME: the pad tests run once more that way in an X server.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string_view>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* driver = "offscreen";
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--video-driver=")) {
            driver = argv[i] + argument.find('=') + 1;
        } else {
            std::fprintf(stderr, "unknown argument: %s\n", argv[i]);
            return 2;
        }
    }
    setenv("SDL_VIDEODRIVER", driver, 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return RUN_ALL_TESTS();
}
