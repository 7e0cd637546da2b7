#!/usr/bin/env bash
# Runs some of the SDL suites' tests on SDL's X11 driver, in an X server with a window manager of
# their own, instead of offscreen.
# Usage: in_x_server.sh <path to vex_sdl_tests> <gtest filter>
# shellcheck source=../e2e/lib/common.bash
source "$(dirname "$0")/../e2e/lib/common.bash"

start_display
VEX_TEST_VIDEO_DRIVER=x11 SDL_VIDEO_X11_XRANDR=0 XDG_RUNTIME_DIR="$work" "$program" --gtest_filter="$2" ||
    fail "the tests failed on the X11 driver"
