#include "platform/sdl/picture_file.h"

#include <SDL_image.h>

namespace vex {

SurfaceHandle load_picture_file(const std::filesystem::path& path) {
    SurfaceHandle loaded(IMG_Load(path.c_str()));
    if (!loaded) {
        return {};
    }
    SurfaceHandle picture(SDL_ConvertSurfaceFormat(loaded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (picture && path.extension() == ".gif") {
        SDL_SetColorKey(picture.get(), SDL_TRUE, SDL_MapRGB(picture->format, 0xC0, 0xC0, 0xC0));
    }
    return picture;
}

}  // namespace vex
