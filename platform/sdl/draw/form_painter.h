// Draws a window from its controls in draw order. A frame repaints only what changed since the
// last one: every control's look is compared with the look it was last painted with, and the
// areas it covered and covers now are painted again, all controls within them in draw order.
// On a canvas that keeps no pixels between frames every frame is painted whole.
#pragma once

#include "platform/form.h"
#include "platform/sdl/draw/canvas.h"
#include "platform/sdl/draw/caption_cache.h"

#include <string>
#include <vector>

namespace vex {

class FormPainter {
public:
    explicit FormPainter(Canvas& canvas) : m_canvas(canvas), m_captions(canvas) {}

    // Paints what changed in the client area and presents it; false when nothing had changed,
    // so nothing was drawn or presented.
    bool show(const Form& form);
    // The next frame is painted and presented whole: the window was exposed or resized.
    void invalidate() { m_whole = true; }

    // Width of a label's caption as drawn (its first line, when it wraps).
    int caption_width(const Label& label);
    // Where a label is drawn, auto-size width included.
    PixelRect drawn_rect(const Label& label);

private:
    // What a control shows: equal looks paint equal pixels.
    struct Look {
        // Where it lies whole (a line: its end points), and what of that it paints over: empty
        // when it shows nothing.
        PixelRect place;
        PixelRect cover;
        Color fore = 0;
        Color back = 0;
        TextStyle font;
        Alignment alignment = Alignment::Left;
        bool border = false;
        int pen = 0;
        std::string text;  // a caption, or a picture's file
        bool operator==(const Look&) const = default;
    };

    // What a control shows: of what each kind covers, only what lies within its frame.
    Look look_of(const Control& control, const PixelRect& window);
    Look captioned_look(const Captioned& captioned, const PixelRect& place);
    Look look_of(const Label& label);
    Look look_of(const Frame& frame);
    Look look_of(const Line& line);
    Look look_of(const Image& image);
    Look look_of(const Timer& timer);
    // Paints every control that reaches into `area`, over black.
    void repaint(const PixelRect& area, const PixelRect& window);
    // Limits drawing to `area` within the area being repainted; false when nothing of it is left.
    bool clip(const PixelRect& area);
    void paint_control(const Control& control, const PixelRect& window);
    // The label's caption as far as the label can show it, rendered once per change.
    const RenderedCaption& caption_of(const Label& label);
    // Each kind paints itself; `area` is where it may draw: the window, or its frame.
    void paint(const Label& label, const PixelRect& area);
    void paint(const Line& line, const PixelRect& area);
    void paint(const Image& image, const PixelRect& area);
    void paint(const Frame& frame, const PixelRect& area);
    void paint(const Timer& timer, const PixelRect& area);

    Canvas& m_canvas;
    CaptionCache m_captions;
    const Form* m_form = nullptr;
    Viewport m_viewport;
    bool m_whole = true;
    // The form's drawn controls in draw order, with the looks they were last painted with.
    std::vector<const Control*> m_controls;
    std::vector<Look> m_looks;
    PixelRect m_repainting;
};

}  // namespace vex
