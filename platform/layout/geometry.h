// Where controls land on the window, in pixels. The painter and the hit test share these rules
// so that what the player clicks is what they see.
#pragma once

#include "platform/control.h"
#include "platform/form.h"

#include <optional>

namespace vex {

struct PixelRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    bool contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
    bool operator==(const PixelRect&) const = default;
};

struct PixelSize {
    int w = 0;
    int h = 0;
    bool operator==(const PixelSize&) const = default;
};

// Controls are placed in twips, 15 to the pixel.
constexpr float twips_per_pixel = 15;

// Twips to whole pixels, rounded to nearest.
int to_pixels(float twips);

// A form's client area in pixels.
PixelSize client_size(const Form& form);

// Font size in pixels at 96 dots per inch (8.25 pt = 11 px).
int font_pixels(double points);

// The overlap of two rectangles; empty (w or h 0) when they do not meet.
PixelRect intersect(const PixelRect& a, const PixelRect& b);

// Where a placed control lies on the window: its Left and Top count from its frame's corner when
// it lies in one.
PixelRect rect_of(const Placed& control);
// An auto-size label is as wide as its caption (`caption_width`) plus its border; any other
// label keeps its own width.
PixelRect label_rect(const Label& label, int caption_width);
// What of `rect` a control can show: the part within its frame, when it lies in one.
PixelRect within_frame(const Control& control, const PixelRect& rect);

// One pixel of border on each side of a bordered label.
int border_pixels(const Label& label);

}  // namespace vex
