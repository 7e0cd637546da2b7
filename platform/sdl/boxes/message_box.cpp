#include "platform/sdl/boxes/message_box.h"

#include "platform/layout/text_wrap.h"

#include <algorithm>

namespace vex {

namespace {

constexpr int margin = 16;
constexpr int icon_size = 32;
constexpr int text_left = margin + icon_size + margin;
constexpr int widest_text = 380;
constexpr int narrowest_box = 220;
constexpr int gap_above_button = 16;
constexpr int margin_below_button = 12;
constexpr TextStyle icon_letter_style{24, true};

int text_height(const std::vector<std::string>& lines, TTF_Font* font) {
    return static_cast<int>(lines.size()) * (font != nullptr ? TTF_FontLineSkip(font) : 0);
}

}  // namespace

MessageBox::MessageBox(const std::string& text, MessageIcon icon, const std::string& title, const DialogOwner& owner,
                       FontSet& fonts)
    : MessageBox(lay_out(text, fonts), icon, title, owner, fonts) {}

MessageBox::MessageBox(Layout layout, MessageIcon icon, const std::string& title, const DialogOwner& owner,
                       FontSet& fonts)
    : DialogWindow(title, layout.width, layout.height, owner, fonts),
      m_layout(std::move(layout)),
      m_icon(icon) {
    add_button({(m_layout.width - button_width) / 2, m_layout.height - margin_below_button - button_height,
                button_width, button_height},
               "OK");
}

MessageBox::Layout MessageBox::lay_out(const std::string& text, FontSet& fonts) {
    TTF_Font* font = fonts.font(text_style);
    const auto measure = [font](std::string_view piece) {
        int width = 0;
        if (font != nullptr && !piece.empty()) {
            TTF_SizeUTF8(font, std::string(piece).c_str(), &width, nullptr);
        }
        return width;
    };
    Layout layout;
    layout.lines = wrap_words(text, widest_text, measure);
    for (const std::string& line : layout.lines) {
        layout.text_width = std::max(layout.text_width, measure(line));
    }
    layout.width = std::max(narrowest_box, text_left + layout.text_width + margin + 8);
    layout.height = margin + std::max(icon_size, text_height(layout.lines, font)) + gap_above_button + button_height +
                    margin_below_button;
    return layout;
}

void MessageBox::paint(Canvas& canvas) {
    const int radius = icon_size / 2;
    const int center_x = margin + radius;
    const int center_y = margin + radius;
    if (m_icon == MessageIcon::Information) {
        canvas.filled_circle(center_x, center_y, radius, colors::blue);
        const int letter_x = center_x - canvas.text_width("i", icon_letter_style) / 2;
        const int letter_y = center_y - canvas.line_height(icon_letter_style) / 2;
        canvas.text("i", letter_x, letter_y, icon_letter_style, colors::white);
    } else {
        canvas.filled_circle(center_x, center_y, radius, colors::red);
        const int arm = radius / 2;
        canvas.line(center_x - arm, center_y - arm, center_x + arm, center_y + arm, colors::white, 3);
        canvas.line(center_x - arm, center_y + arm, center_x + arm, center_y - arm, colors::white, 3);
    }
    const int line_height = canvas.line_height(text_style);
    const int block = line_height * static_cast<int>(m_layout.lines.size());
    int y = margin + std::max(0, (icon_size - block) / 2);
    for (const std::string& line : m_layout.lines) {
        canvas.text(line, text_left, y, text_style, ink);
        y += line_height;
    }
}

void MessageBox::key_pressed(SDL_Keycode key) {
    if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_ESCAPE || key == SDLK_SPACE) {
        finish();
    }
}

void MessageBox::button_clicked(std::size_t /*index*/) { finish(); }

void MessageBox::dismissed() { finish(); }

}  // namespace vex
