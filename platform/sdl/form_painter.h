// Draws a whole window from its controls, every frame, in draw order. Labels and frames change
// seldom: each run of them between moving things is drawn into a layer of its own, drawn again
// only when the look of one of its controls changed, and copied every frame to its place.
#pragma once

#include "platform/form.h"
#include "platform/sdl/canvas.h"
#include "platform/sdl/caption_cache.h"

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

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
    // What a label or a frame shows, compared every frame with what its layer holds.
    struct Look {
        bool shown = false;
        float left = 0;
        float top = 0;
        float width = 0;
        float height = 0;
        Color fore = 0;
        Color back = 0;
        double points = 0;
        bool bold = false;
        Alignment alignment = Alignment::Left;
        bool border = false;
        bool auto_size = false;
        bool operator==(const Look&) const = default;
    };
    struct Layer {
        std::vector<const Control*> controls;
        std::vector<Look> looks;
        std::vector<std::string> captions;
        TextureHandle texture;
        // The rectangle each shown control covers, in draw order.
        std::vector<PixelRect> covers;
        bool drawn = false;
    };
    // A control drawn every frame, or a layer given by its index.
    using Step = std::variant<const Control*, std::size_t>;

    // Splits the draw order into steps, once per form.
    void plan(const Form& form);
    // Takes the looks of the layer's controls; true when one differs from what the layer holds.
    bool refresh(Layer& layer);
    void draw_layer(Layer& layer, const PixelRect& window);
    // Draws one control, where shown, within the window; returns what it covered.
    PixelRect paint_control(const Control& control, const PixelRect& window);
    // The label's caption as far as the label can show it, rendered once per change.
    const RenderedCaption& caption_of(const Label& label);
    // `area` is where the label may draw: the window, or its frame.
    void paint_label(const Label& label, const PixelRect& area);
    void paint_line(const Line& line);
    void paint_image(const Image& image);
    void paint_frame(const Frame& frame);

    Canvas& m_canvas;
    CaptionCache m_captions;
    const Form* m_planned = nullptr;
    std::vector<Step> m_steps;
    std::vector<Layer> m_layers;
    // Layers are made again when the window shows its picture through another viewport.
    Viewport m_layers_viewport;
};

}  // namespace vex
