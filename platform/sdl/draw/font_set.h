// The two faces every text is drawn in, found through the system's font catalogue and opened once per size.
#pragma once

#include "platform/result.h"
#include "platform/sdl/draw/font_lookup.h"
#include "platform/sdl/sdl_handles.h"

#include <map>
#include <optional>
#include <string>

namespace vex {

struct TextStyle {
    int pixels = 11;
    bool bold = false;
    auto operator<=>(const TextStyle&) const = default;
};

class FontSet {
public:
    FontSet();
    FontSet(const FontSet&) = delete;
    FontSet& operator=(const FontSet&) = delete;
    ~FontSet();

    // The font of that style, or nullptr when its face is missing (text is then not drawn).
    TTF_Font* font(const TextStyle& style);

    // Opens both faces; the failure names the first one the system does not have or that cannot
    // be opened as a font ("Liberation Sans Bold", or its file when that is damaged).
    Status open_faces();

private:
    std::optional<FontFile> m_regular;
    std::optional<FontFile> m_bold;
    std::map<TextStyle, FontHandle> m_fonts;
};

}  // namespace vex
