#include "platform/layout/geometry.h"

#include <algorithm>
#include <cmath>

namespace vex {

namespace {

// The top-left corner that a control's Left and Top count from: the window's or its frame's.
PixelRect origin(const Control& control) {
    return control.container != nullptr ? rect_of(*control.container) : PixelRect{};
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

PixelRect rect_of(const Placed& control) {
    const PixelRect base = origin(control);
    return {base.x + to_pixels(control.Left), base.y + to_pixels(control.Top), to_pixels(control.Width),
            to_pixels(control.Height)};
}

int border_pixels(const Label& label) { return label.border ? 1 : 0; }

PixelRect label_rect(const Label& label, int caption_width) {
    PixelRect rect = rect_of(label);
    if (label.auto_size) {
        rect.w = caption_width + 2 * border_pixels(label);
    }
    return rect;
}

PixelRect within_frame(const Control& control, const PixelRect& rect) {
    return control.container != nullptr ? intersect(rect, rect_of(*control.container)) : rect;
}

}  // namespace vex
