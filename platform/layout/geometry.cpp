#include "platform/layout/geometry.h"

#include <algorithm>
#include <cmath>

namespace vex {

namespace {

// The top-left corner that a control's Left and Top count from: the window's or its frame's.
PixelRect origin(const Control& control) {
    return control.container != nullptr ? frame_rect(*control.container) : PixelRect{};
}

}  // namespace

int to_pixels(float twips) { return static_cast<int>(std::lround(twips / twips_per_pixel)); }

PixelSize client_size(const Form& form) { return {to_pixels(form.client_width()), to_pixels(form.client_height())}; }

int font_pixels(double points) { return static_cast<int>(std::lround(points * 96.0 / 72.0)); }

PixelRect intersect(const PixelRect& a, const PixelRect& b) {
    const int left = std::max(a.x, b.x);
    const int top = std::max(a.y, b.y);
    const int right = std::min(a.x + a.w, b.x + b.w);
    const int bottom = std::min(a.y + a.h, b.y + b.h);
    return {left, top, std::max(0, right - left), std::max(0, bottom - top)};
}

PixelRect frame_rect(const Frame& frame) {
    const PixelRect base = origin(frame);
    return {base.x + to_pixels(frame.Left), base.y + to_pixels(frame.Top), to_pixels(frame.Width),
            to_pixels(frame.Height)};
}

PixelRect image_rect(const Image& image) {
    const PixelRect base = origin(image);
    return {base.x + to_pixels(image.Left), base.y + to_pixels(image.Top), to_pixels(image.Width),
            to_pixels(image.Height)};
}

int border_pixels(const Label& label) { return label.border ? 1 : 0; }

PixelRect label_rect(const Label& label, int caption_width) {
    const PixelRect base = origin(label);
    const int width = label.auto_size ? caption_width + 2 * border_pixels(label) : to_pixels(label.Width);
    return {base.x + to_pixels(label.Left), base.y + to_pixels(label.Top), width, to_pixels(label.Height)};
}

}  // namespace vex
