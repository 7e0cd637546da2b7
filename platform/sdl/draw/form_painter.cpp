#include "platform/sdl/draw/form_painter.h"

#include "platform/layout/draw_order.h"

#include <algorithm>
#include <cstdlib>

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

// Every changed area once: areas that overlap are joined into the rectangle around both.
void add_area(std::vector<PixelRect>& areas, PixelRect area) {
    if (area.w == 0 || area.h == 0) {
        return;
    }
    for (auto other = areas.begin(); other != areas.end();) {
        if (const PixelRect overlap = intersect(area, *other); overlap.w > 0 && overlap.h > 0) {
            const int right = std::max(area.x + area.w, other->x + other->w);
            const int bottom = std::max(area.y + area.h, other->y + other->h);
            area.x = std::min(area.x, other->x);
            area.y = std::min(area.y, other->y);
            area.w = right - area.x;
            area.h = bottom - area.y;
            areas.erase(other);
            other = areas.begin();
        } else {
            ++other;
        }
    }
    areas.push_back(area);
}

}  // namespace

bool FormPainter::show(const Form& form) {
    const PixelRect window{0, 0, to_pixels(form.client_width()), to_pixels(form.client_height())};
    if (m_form != &form || m_canvas.viewport() != m_viewport) {
        m_form = &form;
        m_viewport = m_canvas.viewport();
        m_whole = true;
        m_controls.clear();
        for (const Control* control : draw_order(form)) {
            if (control->kind() != ControlKind::Timer) {
                m_controls.push_back(control);
            }
        }
        m_looks.assign(m_controls.size(), Look{});
    }
    // A canvas that keeps no pixels between frames is painted whole every frame.
    m_whole = m_whole || !m_canvas.keeps_pixels();
    std::vector<PixelRect> changed;
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        Look look = look_of(*m_controls[i], window);
        if (look != m_looks[i]) {
            add_area(changed, m_looks[i].cover);
            add_area(changed, look.cover);
            m_looks[i] = std::move(look);
        }
    }
    if (m_whole) {
        m_whole = false;
        // Clears the output around the picture too, as in full screen.
        m_canvas.clip(std::nullopt);
        m_canvas.clear(colors::black);
        repaint(window, window);
        m_canvas.clip(std::nullopt);
        m_canvas.present();
        return true;
    }
    for (const PixelRect& area : changed) {
        repaint(area, window);
    }
    m_canvas.clip(std::nullopt);
    if (!changed.empty()) {
        m_canvas.present(changed);
    }
    return !changed.empty();
}

FormPainter::Look FormPainter::look_of(const Control& control, const PixelRect& window) {
    Look look;
    if (!shown(control)) {
        return look;
    }
    const PixelRect area = area_of(control, window);
    switch (control.kind()) {
    case ControlKind::Label: {
        const auto& label = static_cast<const Label&>(control);
        look.place = drawn_rect(label);
        look.cover = intersect(area, look.place);
        look.fore = label.fore_color;
        look.back = label.back_color;
        look.font = style_of(label.font);
        look.alignment = label.alignment;
        look.border = label.border;
        look.text = label.Caption;
        break;
    }
    case ControlKind::Line: {
        const auto& line = static_cast<const Line&>(control);
        const int x1 = to_pixels(line.X1);
        const int y1 = to_pixels(line.Y1);
        const int x2 = to_pixels(line.X2);
        const int y2 = to_pixels(line.Y2);
        // Wide enough for the pen on either side.
        const int pen = std::max(1, line.pen_width);
        look.place = {x1, y1, x2, y2};
        look.cover = intersect(area, {std::min(x1, x2) - pen, std::min(y1, y2) - pen, std::abs(x2 - x1) + 2 * pen + 1,
                                      std::abs(y2 - y1) + 2 * pen + 1});
        look.fore = line.color;
        look.pen = line.pen_width;
        break;
    }
    case ControlKind::Image: {
        const auto& image = static_cast<const Image&>(control);
        const PixelRect rect = image_rect(image);
        const PixelSize size = m_canvas.picture_size(image.picture);
        look.place = {rect.x, rect.y, size.w, size.h};
        look.cover = intersect(area, look.place);
        look.text = image.picture;
        break;
    }
    case ControlKind::Frame: {
        const auto& frame = static_cast<const Frame&>(control);
        look.place = frame_rect(frame);
        look.cover = intersect(area, look.place);
        look.fore = frame.fore_color;
        look.back = frame.back_color;
        look.font = style_of(frame.font);
        look.text = frame.Caption;
        break;
    }
    case ControlKind::Timer:
        break;
    }
    return look;
}

void FormPainter::repaint(const PixelRect& area, const PixelRect& window) {
    m_repainting = area;
    clip(area);
    m_canvas.fill(area, colors::black);
    for (std::size_t i = 0; i < m_controls.size(); ++i) {
        if (const PixelRect overlap = intersect(m_looks[i].cover, area); overlap.w > 0 && overlap.h > 0) {
            paint_control(*m_controls[i], window);
        }
    }
}

bool FormPainter::clip(const PixelRect& area) {
    const PixelRect left = intersect(area, m_repainting);
    if (left.w == 0 || left.h == 0) {
        return false;
    }
    m_canvas.clip(left);
    return true;
}

void FormPainter::paint_control(const Control& control, const PixelRect& window) {
    const PixelRect area = area_of(control, window);
    if (!clip(area)) {
        return;
    }
    switch (control.kind()) {
    case ControlKind::Label:
        paint_label(static_cast<const Label&>(control), area);
        break;
    case ControlKind::Line:
        paint_line(static_cast<const Line&>(control));
        break;
    case ControlKind::Image:
        paint_image(static_cast<const Image&>(control));
        break;
    case ControlKind::Frame:
        paint_frame(static_cast<const Frame&>(control));
        break;
    case ControlKind::Timer:
        break;
    }
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
    if (!clip(intersect(area, inside))) {
        return;
    }
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
