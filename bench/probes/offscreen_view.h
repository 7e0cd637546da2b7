// Drawing a window offscreen with the real painter, for tests and tools that look at pixels.
#pragma once

#include "platform/control.h"
#include "platform/form.h"
#include "platform/layout/geometry.h"
#include "platform/layout/viewport.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace vex {

struct Snapshot {
    int width = 0;
    int height = 0;
    std::vector<Color> pixels;  // row by row, 0xRRGGBB

    Color at(int x, int y) const { return pixels.at(static_cast<std::size_t>(y * width + x)); }
};

// A software renderer drawing into memory, sized like the form's client area or like a larger
// output that shows it scaled and centred, as a window at a scale or a full screen would.
class OffscreenView {
public:
    // Pictures are found in `data_folder`; `output` is the size of the surface drawn on.
    OffscreenView(const Form& form, const std::filesystem::path& data_folder,
                  std::optional<PixelSize> output = std::nullopt);
    ~OffscreenView();
    OffscreenView(const OffscreenView&) = delete;
    OffscreenView& operator=(const OffscreenView&) = delete;

    // Paints the form as the window would show it now.
    Snapshot draw();
    // Where a label is drawn, auto-size width included.
    PixelRect drawn_rect(const Label& label);
    // How many times text was measured or rendered so far.
    std::uint64_t text_work() const;

private:
    struct Parts;
    const Form& m_form;
    std::unique_ptr<Parts> m_parts;
};

}  // namespace vex
