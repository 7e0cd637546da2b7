// Where the window's picture lies on the screen. The game and its painter work in the picture's
// own pixels; only this mapping knows that the screen may show them at a whole-number scale,
// centred in a larger output (full screen, black around it).
#pragma once

#include "platform/layout/geometry.h"

#include <optional>

namespace vex {

struct PixelPoint {
    int x = 0;
    int y = 0;
    bool operator==(const PixelPoint&) const = default;
};

struct Viewport {
    int scale = 1;
    // The output pixel of the picture's top-left corner.
    int x = 0;
    int y = 0;

    // The picture pixel under an output pixel; outside the picture when the output pixel is.
    PixelPoint to_picture(PixelPoint output) const;
    bool operator==(const Viewport&) const = default;
};

// The largest whole scale, at least 1, at which `picture` fits `output`, centred in it.
Viewport fit(PixelSize output, PixelSize picture);

// The top-left corner of a box of `size` centred on `window`, moved as little as keeps it within
// `usable` (the desktop's area); a box larger than `usable` keeps its top-left corner in it.
PixelPoint centre_on(const PixelRect& window, PixelSize size, const PixelRect& usable);

// The scale a window opens at: the one asked for, else one step per 96 dots per inch of the
// display (2 from 192), no larger than lets the window fit the desktop's usable area.
int window_scale(std::optional<int> asked, std::optional<float> display_dpi, PixelSize usable, PixelSize picture);

}  // namespace vex
