// Where controls land on the window in pixels.
#include "platform/layout/geometry.h"

#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

namespace vex {
namespace {

// Twips round to the nearest pixel, halves away from zero; points become pixels at 96 dots per
// inch; the game's window is 592 x 506 pixels.
TEST(Geometry, TwipsAndPointsBecomeWholePixels) {
    const std::pair<float, int> twips[] = {{0, 0},    {7, 0},     {7.5F, 1},   {8, 1},      {15, 1},    {22, 1},
                                           {23, 2},   {-7, 0},    {-7.5F, -1}, {-8, -1},    {7440, 496}, {8880, 592}};
    for (const auto& [in_twips, pixels] : twips) {
        EXPECT_EQ(to_pixels(in_twips), pixels) << in_twips << " twips";
    }
    const std::pair<double, int> points[] = {{8.25, 11}, {9.75, 13}, {12, 16}, {13.5, 18}, {48.75, 65}, {0, 0}};
    for (const auto& [size, pixels] : points) {
        EXPECT_EQ(font_pixels(size), pixels) << size << " pt";
    }
    testing::LoadedGame game;
    EXPECT_EQ(client_size(game.form), (PixelSize{592, 506}));
}

// The game's controls at their pixels: on the window, inside a frame (counted from the frame's
// corner), an auto-size label as wide as its caption and border; and what of a rectangle shows
// through a control's frame.
TEST(Geometry, ControlsLieAtTheirPixelsWithinTheirFrames) {
    testing::LoadedGame game;
    Form1& f = game.form;
    const std::tuple<const char*, PixelRect, PixelRect> rects[] = {
        {"Exit", rect_of(f.Label3), {512, 240, 65, 25}},
        {"About frame", rect_of(f.Frame1), {120, 56, 265, 185}},
        {"OK in the About frame", rect_of(f.Label5), {232, 200, 49, 25}},
        {"hits needed in its frame", rect_of(f.lblBady), {424, 16, 49, 25}},
        {"ship", rect_of(f.imgShip), {200, 432, 39, 70}},
        {"Exit ignores a caption width", label_rect(f.Label3, 40), {512, 240, 65, 25}},
        {"player as wide as its caption", label_rect(f.lblPlayer, 40), {504, 8, 42, 17}},
        {"player with no caption", label_rect(f.lblPlayer, 0), {504, 8, 2, 17}},
        {"the window through the About frame", within_frame(f.Label5, {0, 0, 592, 506}), {120, 56, 265, 185}},
        {"across the About frame's corner", within_frame(f.Label4, {100, 50, 30, 30}), {120, 56, 10, 24}},
        {"outside any frame", within_frame(f.Label3, {-5, 600, 30, 30}), {-5, 600, 30, 30}},
        {"rectangles overlapping", intersect({0, 0, 10, 10}, {4, -2, 10, 5}), {4, 0, 6, 3}}};
    for (const auto& [name, rect, expected] : rects) {
        EXPECT_EQ(rect, expected) << name;
    }
    for (const PixelRect& apart : {PixelRect{20, 30, 5, 5}, {10, 0, 5, 5}, {0, 10, 5, 5}, {-5, -5, 5, 20}}) {
        const PixelRect overlap = intersect({0, 0, 10, 10}, apart);
        EXPECT_TRUE(overlap.w == 0 || overlap.h == 0) << "nothing shared with " << apart.x << "," << apart.y;
    }
    for (const auto& [x, y, inside] : {std::tuple{512, 240, true}, {576, 264, true}, {577, 250, false}, {540, 265, false},
                                       {511, 250, false}, {540, 239, false}}) {
        EXPECT_EQ(rect_of(f.Label3).contains(x, y), inside) << x << "," << y;
    }
}

}  // namespace
}  // namespace vex
