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

}  // namespace

void FormPainter::paint(const Form& form) {
    const PixelRect window{0, 0, to_pixels(form.client_width()), to_pixels(form.client_height())};
    m_canvas.clip(std::nullopt);
    m_canvas.clear(colors::black);
    for (const Control* control : draw_order(form)) {
        if (!shown(*control)) {
            continue;
        }
        const PixelRect area = area_of(*control, window);
        if (area.w == 0 || area.h == 0) {
            continue;
        }
        m_canvas.clip(area);
        switch (control->kind()) {
        case ControlKind::Label:
            paint_label(static_cast<const Label&>(*control), area);
            break;
        case ControlKind::Line:
            paint_line(static_cast<const Line&>(*control));
            break;
        case ControlKind::Image:
            paint_image(static_cast<const Image&>(*control));
            break;
        case ControlKind::Frame:
            paint_frame(static_cast<const Frame&>(*control));
            break;
        case ControlKind::Timer:
            break;
        }
    }
    m_canvas.clip(std::nullopt);
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
            m_canvas.texture(*line.texture, x, y, line.width, line.height);
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
            m_canvas.texture(*line.texture, x, rect.y, line.width, line.height);
        }
    }
}

}  // namespace vex
