// The SDL suites draw with the software renderer and play sound through the silent dummy driver.
// They run on SDL's offscreen video driver and need no display, unless VEX_TEST_VIDEO_DRIVER names
// another: the pad tests run once more on x11 in an X server.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    const char* driver = std::getenv("VEX_TEST_VIDEO_DRIVER");
    setenv("SDL_VIDEODRIVER", driver != nullptr ? driver : "offscreen", 1);
    setenv("SDL_RENDER_DRIVER", "software", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    return RUN_ALL_TESTS();
}
