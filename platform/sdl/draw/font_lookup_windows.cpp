#include "platform/sdl/draw/font_lookup.h"

#include "platform/sdl/desktop/data_folder.h"

#include <algorithm>

namespace vex {

// Windows has no font catalogue the game can ask for a family by name and weight: the faces ship
// in fonts/ beside the program, named as their family's files are ("LiberationSans-Bold.ttf").
std::optional<FontFile> find_font(const std::string& family, bool bold) {
    std::string file = family;
    file.erase(std::remove(file.begin(), file.end(), ' '), file.end());
    file += bold ? "-Bold.ttf" : "-Regular.ttf";
    std::filesystem::path path = running_program_folder() / "fonts" / file;
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    return FontFile{std::move(path), 0};
}

}  // namespace vex
