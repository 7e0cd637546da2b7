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
    if (!shown(control)) {
        return {};
    }
    Look look = visit_control(control, [this](const auto& kind) { return look_of(kind); });
    look.cover = intersect(within_frame(control, window), look.cover);
    return look;
}

FormPainter::Look FormPainter::captioned_look(const Captioned& captioned, const PixelRect& place) {
    Look look;
    look.place = place;
    look.cover = place;
    look.fore = captioned.fore_color;
    look.back = captioned.back_color;
    look.font = style_of(captioned.font);
    look.text = captioned.Caption;
    return look;
}

FormPainter::Look FormPainter::look_of(const Label& label) {
    Look look = captioned_look(label, drawn_rect(label));
    look.alignment = label.alignment;
    look.border = label.border;
    return look;
}

FormPainter::Look FormPainter::look_of(const Frame& frame) { return captioned_look(frame, rect_of(frame)); }

FormPainter::Look FormPainter::look_of(const Line& line) {
    Look look;
    const int x1 = to_pixels(line.X1);
    const int y1 = to_pixels(line.Y1);
    const int x2 = to_pixels(line.X2);
    const int y2 = to_pixels(line.Y2);
    // Wide enough for the pen on either side.
    const int pen = std::max(1, line.pen_width);
    look.place = {x1, y1, x2, y2};
    look.cover = {std::min(x1, x2) - pen, std::min(y1, y2) - pen, std::abs(x2 - x1) + 2 * pen + 1,
                  std::abs(y2 - y1) + 2 * pen + 1};
    look.fore = line.color;
    look.pen = line.pen_width;
    return look;
}

FormPainter::Look FormPainter::look_of(const Image& image) {
    Look look;
    const PixelRect rect = rect_of(image);
    const PixelSize size = m_canvas.picture_size(image.picture);
    look.place = {rect.x, rect.y, size.w, size.h};
    look.cover = look.place;
    look.text = image.picture;
    return look;
}

FormPainter::Look FormPainter::look_of(const Timer&) { return {}; }

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
    const PixelRect area = within_frame(control, window);
    if (clip(area)) {
        visit_control(control, [this, &area](const auto& kind) { paint(kind, area); });
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

void FormPainter::paint(const Label& label, const PixelRect& area) {
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

void FormPainter::paint(const Line& line, const PixelRect&) {
    m_canvas.line(to_pixels(line.X1), to_pixels(line.Y1), to_pixels(line.X2), to_pixels(line.Y2), line.color,
                  line.pen_width);
}

void FormPainter::paint(const Image& image, const PixelRect&) {
    const PixelRect rect = rect_of(image);
    m_canvas.picture(image.picture, rect.x, rect.y);
}

void FormPainter::paint(const Frame& frame, const PixelRect&) {
    const PixelRect rect = rect_of(frame);
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

void FormPainter::paint(const Timer&, const PixelRect&) {}

}  // namespace vex
