// The two typefaces every text is drawn in, opened once per size.
#pragma once

#include "platform/sdl/sdl_handles.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>

namespace vex {

struct TextStyle {
    int pixels = 11;
    bool bold = false;
    auto operator<=>(const TextStyle&) const = default;
};

class FontSet {
public:
    // `folder` holds DejaVuSansCondensed.ttf and DejaVuSansCondensed-Bold.ttf. Condensed faces
    // let the captions sized for the window fit their labels ("GAME OVER" on one line, "New
    // Player", "Hi Score:", the instructions in four lines).
    explicit FontSet(std::filesystem::path folder);
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;
    ~FontSet();

    // The font of that style, or nullptr when its file cannot be opened (text is then not drawn).
    TTF_Font* font(const TextStyle& style);

    // The first face file that is missing or cannot be opened as a font, or nullopt when both open.
    std::optional<std::filesystem::path> missing_face();

private:
    std::filesystem::path m_folder;
    std::map<TextStyle, FontHandle> m_fonts;
};

// Tells the player that a font is missing, naming it, in SDL's own message box (which needs no
// font) and on standard error. The caller then ends the program with a non-zero status.
void report_missing_font(const std::filesystem::path& font, const std::string& title);

}  // namespace vex
