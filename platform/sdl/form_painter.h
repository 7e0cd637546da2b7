// Draws a whole window from its controls, every frame, in draw order.
#pragma once

#include "platform/form.h"
#include "platform/sdl/canvas.h"
#include "platform/sdl/caption_cache.h"

namespace vex {

class FormPainter {
public:
    explicit FormPainter(Canvas& canvas) : m_canvas(canvas), m_captions(canvas) {}

    // Paints the client area; the caller presents it.
    void paint(const Form& form);

    // Width of a label's caption as drawn (its first line, when it wraps).
    int caption_width(const Label& label);
    // Where a label is drawn, auto-size width included.
    PixelRect drawn_rect(const Label& label);

private:
    // The label's caption as far as the label can show it, rendered once per change.
    const RenderedCaption& caption_of(const Label& label);
    // `area` is where the label may draw: the window, or its frame.
    void paint_label(const Label& label, const PixelRect& area);
    void paint_line(const Line& line);
    void paint_image(const Image& image);
    void paint_frame(const Frame& frame);

    Canvas& m_canvas;
    CaptionCache m_captions;
};

}  // namespace vex
