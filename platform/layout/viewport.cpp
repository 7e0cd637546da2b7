#include "platform/layout/viewport.h"

#include <algorithm>
#include <cmath>

namespace vex {

namespace {

constexpr float dpi_per_step = 96;
// Screens give their size in whole millimetres, so 192 dots per inch may read as 191.8.
constexpr float step_slack = 0.05F;

// Floor division, so that the output pixels left of or above the picture map outside it.
int floor_div(int value, int divisor) { return value >= 0 ? value / divisor : -((-value + divisor - 1) / divisor); }

}  // namespace

PixelPoint Viewport::to_picture(PixelPoint output) const {
    return {floor_div(output.x - x, scale), floor_div(output.y - y, scale)};
}

Viewport fit(PixelSize output, PixelSize picture) {
    const int scale = picture.w > 0 && picture.h > 0 ? std::max(1, std::min(output.w / picture.w, output.h / picture.h)) : 1;
    return {scale, (output.w - picture.w * scale) / 2, (output.h - picture.h * scale) / 2};
}

PixelPoint centre_on(const PixelRect& window, PixelSize size, const PixelRect& usable) {
    const auto within = [](int at, int length, int start, int room) {
        return std::max(start, std::min(at, start + room - length));
    };
    return {within(window.x + (window.w - size.w) / 2, size.w, usable.x, usable.w),
            within(window.y + (window.h - size.h) / 2, size.h, usable.y, usable.h)};
}

int window_scale(std::optional<int> asked, std::optional<float> display_dpi, PixelSize usable, PixelSize picture) {
    if (asked) {
        return *asked;
    }
    const int by_dpi = display_dpi ? static_cast<int>(std::floor(*display_dpi / dpi_per_step + step_slack)) : 1;
    return std::min(std::max(1, by_dpi), fit(usable, picture).scale);
}

}  // namespace vex
