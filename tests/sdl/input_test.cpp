// Keyboard and mouse as the window's handlers take them: desktop key codes and the label a click
// lands on.
#include "platform/layout/hit_test.h"
#include "platform/sdl/input/key_map.h"
#include "platform/layout/viewport.h"

#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <tuple>
#include <utility>

namespace vex {
namespace {

// SDL key codes: a key that types a character is that character's code; any other key is its
// USB usage number with bit 30 set.
constexpr std::int32_t usage(std::int32_t scancode) { return scancode | (1 << 30); }

// The keys the game reads become their desktop codes; a key without one reaches no handler.
TEST(KeyMap, SdlKeysBecomeDesktopCodes) {
    const std::pair<std::int32_t, std::optional<std::int16_t>> codes[] = {
        {'s', 83}, {usage(224), 17}, {usage(228), 17}, {usage(80), 37}, {usage(79), 39}, {'a', 65}, {usage(127), std::nullopt},
        {0xE9, std::nullopt}};
    for (const auto& [sdl_key, code] : codes) {
        EXPECT_EQ(virtual_key(sdl_key), code) << "SDL key " << sdl_key;
    }
}

// Pixel rectangles: Label3 "Exit" (512, 240, 65 x 25); Label1 "Instructions" (512, 184, 65 x 25);
// Frame1 (120, 56, 265 x 185) holding Label5 "OK" at (232, 200, 49 x 25); Label8 "GAME OVER"
// (40, 136, 417 x 81); lblPlayer at (504, 8), its width measured here as 7 px a character.
TEST(LabelAt, TheTopmostShownControlTakesTheClick) {
    const auto same = [](Form1&) {};
    const auto about = [](Form1& f) { f.Frame1.Visible = f.Label4.Visible = f.Label5.Visible = true; };
    const auto about_over_game_over = [&](Form1& f) { about(f); f.Label8.Visible = true; };
    const auto player_abcdef = [](Form1& f) { f.lblPlayer.Caption = "abcdef"; };
    // What is changed, where the click lands, and the label it lands on (none: nullptr).
    const std::tuple<const char*, std::function<void(Form1&)>, int, int, Label Form1::*> cases[] = {
        {"exit top left", same, 512, 240, &Form1::Label3},
        {"exit bottom right", same, 576, 264, &Form1::Label3},
        {"right of exit", same, 577, 250, nullptr},
        {"below exit", same, 540, 265, nullptr},
        {"hidden label", [](Form1& f) { f.Label3.Visible = false; }, 540, 250, nullptr},
        {"playfield", same, 300, 300, nullptr},
        {"ok in shown frame", about, 240, 210, &Form1::Label5},
        {"ok in hidden frame", [&](Form1& f) { about(f); f.Frame1.Visible = false; }, 240, 210, nullptr},
        {"frame over a label", about_over_game_over, 125, 200, nullptr},
        {"label beside the frame", about_over_game_over, 420, 180, &Form1::Label8},
        {"ship over a label", [](Form1& f) { f.imgShip.Left = 7680; f.imgShip.Top = 3600; }, 520, 250, nullptr},
        {"inside an auto-size caption", player_abcdef, 504 + 43, 10, &Form1::lblPlayer},
        {"past an auto-size caption", player_abcdef, 504 + 44, 10, nullptr}};
    const auto seven_per_char = [](const Label& label) { return static_cast<int>(label.Caption.size()) * 7; };
    for (const auto& [name, arrange, x, y, label] : cases) {
        testing::LoadedGame game;
        arrange(game.form);
        EXPECT_EQ(label_at(game.form, x, y, seven_per_char), label != nullptr ? &(game.form.*label) : nullptr) << name;
    }
}

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
