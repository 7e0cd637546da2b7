// Faces found by family: through the system's font catalogue on Linux (fontconfig:
// font_lookup_fontconfig.cpp), in fonts/ beside the program on Windows (font_lookup_windows.cpp).
#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace vex {

// The family every text is drawn in. Its widths are those the window's labels were sized for,
// so every caption fits its label ("Instructions", "GAME OVER" on one line, the instructions in
// four lines).
constexpr const char* game_font_family = "Liberation Sans";

// A face on disk: its file and its index inside that file.
struct FontFile {
    std::filesystem::path path;
    long index = 0;
};

// The file of `family` in that weight, or nullopt when the catalogue knows no such face: fontconfig
// always offers some font, so one of another family, or a regular face where bold was asked, counts as
// missing.
std::optional<FontFile> find_font(const std::string& family, bool bold);

}  // namespace vex
