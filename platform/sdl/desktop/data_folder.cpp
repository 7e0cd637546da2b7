#include "platform/sdl/desktop/data_folder.h"

#include "platform/paths.h"

#include <SDL.h>

#include <memory>

namespace vex {

namespace {

bool holds_data(const std::filesystem::path& folder) {
    std::error_code error;
    return std::filesystem::is_directory(folder / "pictures", error);
}

}  // namespace

std::filesystem::path running_program_folder() {
    const std::unique_ptr<char, decltype(&SDL_free)> base(SDL_GetBasePath(), &SDL_free);
    std::error_code error;
    return base ? path_from_utf8(base.get()).parent_path() : std::filesystem::current_path(error);
}

std::optional<std::filesystem::path> player_data_folder() {
    const std::unique_ptr<char, decltype(&SDL_free)> folder(SDL_GetPrefPath("", "vexoids"), &SDL_free);
    return folder ? std::optional(path_from_utf8(folder.get()).parent_path()) : std::nullopt;
}

std::filesystem::path find_data_folder(const std::filesystem::path& program_folder,
                                       const std::filesystem::path& installed_relative) {
    if (holds_data(program_folder)) {
        return program_folder;
    }
    const auto installed = (program_folder / installed_relative).lexically_normal();
    return holds_data(installed) ? installed : program_folder;
}

}  // namespace vex
