#include "platform/sdl/draw/font_set.h"

#include "platform/paths.h"

#include <filesystem>

namespace vex {

FontSet::FontSet() : m_regular(find_font(game_font_family, false)), m_bold(find_font(game_font_family, true)) { TTF_Init(); }

FontSet::~FontSet() {
    m_fonts.clear();
    TTF_Quit();
}

TTF_Font* FontSet::font(const TextStyle& style) {
    auto found = m_fonts.find(style);
    if (found == m_fonts.end()) {
        const auto& face = style.bold ? m_bold : m_regular;
        // Only a regular file: a FIFO in a font's place would hold the game at its first text.
        std::error_code error;
        const bool regular = face && std::filesystem::is_regular_file(face->path, error);
        TTF_Font* opened = regular ? TTF_OpenFontIndex(utf8_text(face->path).c_str(), style.pixels, face->index) : nullptr;
        found = m_fonts.emplace(style, FontHandle(opened)).first;
    }
    return found->second.get();
}

Status FontSet::open_faces() {
    for (const bool bold : {false, true}) {
        if (font({TextStyle{}.pixels, bold}) == nullptr) {
            const auto& face = bold ? m_bold : m_regular;
            return Failure{face ? utf8_text(face->path) : std::string(game_font_family) + (bold ? " Bold" : "")};
        }
    }
    return {};
}

}  // namespace vex
