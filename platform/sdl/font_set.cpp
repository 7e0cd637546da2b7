#include "platform/sdl/font_set.h"

#include <iostream>

#include <sys/stat.h>

namespace vex {

namespace {

std::filesystem::path face_file(const std::filesystem::path& folder, bool bold) {
    return folder / (bold ? "DejaVuSansCondensed-Bold.ttf" : "DejaVuSansCondensed.ttf");
}

}  // namespace

FontSet::FontSet(std::filesystem::path folder) : m_folder(std::move(folder)) { TTF_Init(); }

FontSet::~FontSet() {
    m_fonts.clear();
    TTF_Quit();
}

TTF_Font* FontSet::font(const TextStyle& style) {
    auto found = m_fonts.find(style);
    if (found == m_fonts.end()) {
        const auto file = face_file(m_folder, style.bold);
        // Only a regular file: a FIFO in a font's place would hold the game at its first text.
        struct stat info {};
        const bool regular = ::stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode);
        found = m_fonts.emplace(style, FontHandle(regular ? TTF_OpenFont(file.c_str(), style.pixels) : nullptr)).first;
    }
    return found->second.get();
}

std::optional<std::filesystem::path> FontSet::missing_face() {
    for (const bool bold : {false, true}) {
        if (font({TextStyle{}.pixels, bold}) == nullptr) {
            return face_file(m_folder, bold);
        }
    }
    return std::nullopt;
}

void report_missing_font(const std::filesystem::path& font, const std::string& title) {
    const std::string text = "The font " + font.string() + " is missing or damaged, so the game cannot show its text. Reinstall the game.";
    std::cerr << text << '\n';
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr);
}

}  // namespace vex
