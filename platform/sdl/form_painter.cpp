#include "platform/sdl/form_painter.h"

#include "platform/sdl/draw_order.h"

#include <algorithm>

namespace vex {

namespace {

constexpr Color etch_dark = colors::grey;
constexpr Color etch_light = colors::white;
constexpr Color label_border = colors::black;
// Where a frame's caption starts, from the frame's left edge.
constexpr int frame_caption_indent = 8;

TextStyle style_of(const Font& font) { return {font_pixels(font.points), font.bold}; }

// Drawing area of a control: the window, or its frame within the window.
PixelRect area_of(const Control& control, const PixelRect& window) {
    return control.container != nullptr ? intersect(window, frame_rect(*control.container)) : window;
}

// Labels and frames only change when the game sets a caption or shows or hides them. Each paints
// its whole rectangle opaque, so a layer shows exactly those rectangles, nothing around them.
bool in_layer(const Control& control) {
    return control.kind() == ControlKind::Label || control.kind() == ControlKind::Frame;
}

}  // namespace

void FormPainter::plan(const Form& form) {
    m_planned = &form;
    m_steps.clear();
    m_layers.clear();
    bool in_run = false;
    for (const Control* control : draw_order(form)) {
        if (control->kind() == ControlKind::Timer) {
            continue;
        }
        if (!in_layer(*control)) {
            m_steps.emplace_back(control);
            in_run = false;
            continue;
        }
        if (!in_run) {
            m_steps.emplace_back(m_layers.size());
            m_layers.emplace_back();
            in_run = true;
        }
        m_layers.back().controls.push_back(control);
    }
}

bool FormPainter::refresh(Layer& layer) {
    bool changed = !layer.drawn;
    layer.looks.resize(layer.controls.size());
    layer.captions.resize(layer.controls.size());
    for (std::size_t i = 0; i < layer.controls.size(); ++i) {
        const Control& control = *layer.controls[i];
        Look look{.shown = shown(control)};
        const std::string* caption = nullptr;
        if (control.kind() == ControlKind::Label) {
            const auto& label = static_cast<const Label&>(control);
            look = {look.shown, label.Left, label.Top, label.Width, label.Height, label.fore_color, label.back_color,
                    label.font.points, label.font.bold, label.alignment, label.border, label.auto_size};
            caption = &label.Caption;
        } else {
            const auto& frame = static_cast<const Frame&>(control);
            look = {look.shown, frame.Left, frame.Top, frame.Width, frame.Height, frame.fore_color, frame.back_color,
                    frame.font.points, frame.font.bold};
            caption = &frame.Caption;
        }
        if (look != layer.looks[i]) {
            layer.looks[i] = look;
            changed = true;
        }
        if (*caption != layer.captions[i]) {
            layer.captions[i] = *caption;
            changed = true;
        }
    }
    return changed;
}

void FormPainter::draw_layer(Layer& layer, const PixelRect& window) {
    m_canvas.begin_layer(*layer.texture);
    layer.covers.clear();
    for (const Control* control : layer.controls) {
        if (const PixelRect covered = paint_control(*control, window); covered.w > 0 && covered.h > 0) {
            layer.covers.push_back(covered);
        }
    }
    m_canvas.end_layer();
    layer.drawn = true;
}

void FormPainter::paint(const Form& form) {
    const PixelRect window{0, 0, to_pixels(form.client_width()), to_pixels(form.client_height())};
    if (m_planned != &form || m_canvas.viewport() != m_layers_viewport) {
        plan(form);
        m_layers_viewport = m_canvas.viewport();
    }
    m_canvas.clip(std::nullopt);
    m_canvas.clear(colors::black);
    for (const Step& step : m_steps) {
        if (const auto* control = std::get_if<const Control*>(&step)) {
            paint_control(**control, window);
            continue;
        }
        Layer& layer = m_layers[std::get<std::size_t>(step)];
        if (!layer.texture) {
            layer.texture = m_canvas.create_layer();
        }
        if (!layer.texture) {
            for (const Control* control : layer.controls) {
                paint_control(*control, window);
            }
            continue;
        }
        if (refresh(layer)) {
            draw_layer(layer, window);
        }
        m_canvas.clip(std::nullopt);
        for (const PixelRect& covered : layer.covers) {
            m_canvas.show_layer(*layer.texture, covered);
        }
    }
    m_canvas.clip(std::nullopt);
}

PixelRect FormPainter::paint_control(const Control& control, const PixelRect& window) {
    if (!shown(control)) {
        return {};
    }
    const PixelRect area = area_of(control, window);
    if (area.w == 0 || area.h == 0) {
        return {};
    }
    m_canvas.clip(area);
    switch (control.kind()) {
    case ControlKind::Label:
        paint_label(static_cast<const Label&>(control), area);
        return intersect(area, drawn_rect(static_cast<const Label&>(control)));
    case ControlKind::Line:
        paint_line(static_cast<const Line&>(control));
        return area;
    case ControlKind::Image:
        paint_image(static_cast<const Image&>(control));
        return intersect(area, image_rect(static_cast<const Image&>(control)));
    case ControlKind::Frame:
        paint_frame(static_cast<const Frame&>(control));
        return intersect(area, frame_rect(static_cast<const Frame&>(control)));
    case ControlKind::Timer:
        break;
    }
    return {};
}

const RenderedCaption& FormPainter::caption_of(const Label& label) {
    const TextStyle style = style_of(label.font);
    if (label.auto_size) {
        return m_captions.get(label, label.Caption, style, label.fore_color, 0, 1);
    }
    const PixelRect rect = label_rect(label, 0);
    const int border = border_pixels(label);
    const int line_height = std::max(1, m_canvas.line_height(style));
    const int lines = std::max(1, (rect.h - 2 * border + line_height - 1) / line_height);
    return m_captions.get(label, label.Caption, style, label.fore_color, std::max(1, rect.w - 2 * border), lines);
}

int FormPainter::caption_width(const Label& label) { return caption_of(label).width; }

PixelRect FormPainter::drawn_rect(const Label& label) {
    return label_rect(label, label.auto_size ? caption_width(label) : 0);
}

void FormPainter::paint_label(const Label& label, const PixelRect& area) {
    const PixelRect rect = drawn_rect(label);
    m_canvas.fill(rect, label.back_color);
    if (label.border) {
        m_canvas.outline(rect, label_border);
    }
    const int border = border_pixels(label);
    const PixelRect inside{rect.x + border, rect.y + border, rect.w - 2 * border, rect.h - 2 * border};
    const PixelRect text_area = intersect(area, inside);
    if (text_area.w == 0 || text_area.h == 0) {
        return;
    }
    m_canvas.clip(text_area);
    const RenderedCaption& caption = caption_of(label);
    int y = inside.y;
    for (const RenderedCaption::Line& line : caption.lines) {
        if (line.texture) {
            const int x = label.alignment == Alignment::Center ? inside.x + (inside.w - line.width) / 2 : inside.x;
            m_canvas.texture(*line.texture, x, y);
        }
        y += caption.line_height;
    }
}

void FormPainter::paint_line(const Line& line) {
    m_canvas.line(to_pixels(line.X1), to_pixels(line.Y1), to_pixels(line.X2), to_pixels(line.Y2), line.color,
                  line.pen_width);
}

void FormPainter::paint_image(const Image& image) {
    const PixelRect rect = image_rect(image);
    m_canvas.picture(image.picture, rect.x, rect.y);
}

void FormPainter::paint_frame(const Frame& frame) {
    const PixelRect rect = frame_rect(frame);
    m_canvas.fill(rect, frame.back_color);
    const TextStyle style = style_of(frame.font);
    // The border runs through the middle of the caption, as on an etched group box.
    const int top = rect.y + m_canvas.line_height(style) / 2;
    const PixelRect border{rect.x, top, rect.w - 1, rect.y + rect.h - top - 1};
    m_canvas.outline(border, etch_dark);
    m_canvas.outline({border.x + 1, border.y + 1, border.w, border.h}, etch_light);
    if (!frame.Caption.empty()) {
        const RenderedCaption& caption = m_captions.get(frame, frame.Caption, style, frame.fore_color, 0, 1);
        const RenderedCaption::Line& line = caption.lines.front();
        const int x = rect.x + frame_caption_indent;
        m_canvas.fill({x - 2, rect.y, caption.width + 4, caption.line_height}, frame.back_color);
        if (line.texture) {
            m_canvas.texture(*line.texture, x, rect.y);
        }
    }
}

}  // namespace vex
