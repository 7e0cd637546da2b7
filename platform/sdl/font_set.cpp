#include "platform/sdl/font_set.h"

namespace vex {

FontSet::FontSet(std::filesystem::path folder) : m_folder(std::move(folder)) { TTF_Init(); }

FontSet::~FontSet() {
    m_fonts.clear();
    TTF_Quit();
}

TTF_Font* FontSet::font(const TextStyle& style) {
    auto found = m_fonts.find(style);
    if (found == m_fonts.end()) {
        const auto file = m_folder / (style.bold ? "DejaVuSansCondensed-Bold.ttf" : "DejaVuSansCondensed.ttf");
        found = m_fonts.emplace(style, FontHandle(TTF_OpenFont(file.c_str(), style.pixels))).first;
    }
    return found->second.get();
}

}  // namespace vex
