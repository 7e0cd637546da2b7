// Where the window's picture lies on the screen, and where a box opens.
#include "platform/layout/viewport.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <utility>

namespace vex {
namespace {

// The 592 x 506 picture in outputs of several sizes: a window at its scale, full screens, a
// screen too small; then output pixels back to picture pixels, edges of the picture included;
// then the scale a window opens at: asked for, else by the display's dots per inch, within the
// desktop.
TEST(Viewport, LargestWholeScaleCentredAndBackAndTheWindowsScale) {
    const PixelSize picture{592, 506}, big{2560, 1600}, small{1024, 768};
    const std::pair<PixelSize, Viewport> fits[] = {
        {{592, 506}, {1, 0, 0}},     {{1184, 1012}, {2, 0, 0}},   {{1183, 1012}, {1, 295, 253}},
        {{1920, 1080}, {2, 368, 34}}, {{2560, 1600}, {3, 392, 41}}, {{3840, 2160}, {4, 736, 68}},
        {{500, 400}, {1, -46, -53}}};
    for (const auto& [output, viewport] : fits) {
        EXPECT_EQ(fit(output, picture), viewport) << output.w << "x" << output.h;
    }
    const Viewport full_hd{2, 368, 34};
    const std::pair<PixelPoint, PixelPoint> points[] = {
        {{368, 34}, {0, 0}},     {{369, 35}, {0, 0}},       {{370, 36}, {1, 1}},       {{367, 33}, {-1, -1}},
        {{366, 34}, {-1, 0}},    {{1551, 1045}, {591, 505}}, {{1552, 1046}, {592, 506}}, {{0, 0}, {-184, -17}}};
    for (const auto& [output, at] : points) {
        EXPECT_EQ(full_hd.to_picture(output), at) << output.x << "," << output.y;
    }
    const std::tuple<std::optional<int>, std::optional<float>, PixelSize, int> cases[] = {
        {std::nullopt, 96.0F, big, 1},    {std::nullopt, 182.3F, big, 1}, {std::nullopt, 191.8F, big, 2},
        {std::nullopt, 192.0F, big, 2},   {std::nullopt, 287.0F, big, 3}, {std::nullopt, 400.0F, big, 3},
        {std::nullopt, 192.0F, small, 1}, {std::nullopt, std::nullopt, big, 1}, {3, 96.0F, small, 3},
        {1, 192.0F, big, 1}};
    for (const auto& [asked, dpi, usable, scale] : cases) {
        EXPECT_EQ(window_scale(asked, dpi, usable, picture), scale) << asked.value_or(0) << " " << dpi.value_or(0);
    }
}

// A box opens centred on the game window wherever the player moved it, and as little off centre
// as keeps it on the desktop's usable area (here 1024 x 740 below a 28-pixel panel).
TEST(Viewport, BoxesCentredOnTheWindowWithinTheDesktop) {
    const PixelRect usable{0, 28, 1024, 740};
    const PixelSize box{372, 140};
    const std::tuple<const char*, PixelRect, PixelSize, PixelPoint> cases[] = {
        {"window in the middle", {216, 131, 592, 506}, box, {326, 314}},
        {"window moved right and down", {400, 200, 592, 506}, box, {510, 383}},
        {"window at x2", {0, 28, 1184, 1012}, {744, 280}, {220, 394}},
        {"window partly off the right", {900, 100, 592, 506}, box, {652, 283}},
        {"window partly above the panel", {-300, -400, 592, 506}, box, {0, 28}},
        {"window below the desktop", {100, 700, 592, 506}, box, {210, 628}},
        {"box larger than the desktop", {0, 28, 592, 506}, {1200, 800}, {0, 28}}};
    for (const auto& [name, window, size, at] : cases) {
        EXPECT_EQ(centre_on(window, size, usable), at) << name;
    }
}

}  // namespace
}  // namespace vex
