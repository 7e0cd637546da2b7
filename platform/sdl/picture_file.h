// Reading the game's pictures from disk. Each picture is decoded only as the format its name
// says (.gif, .jpg, .bmp), and only once its header has declared a size that fits the limit.
#pragma once

#include "platform/sdl/sdl_handles.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace vex {

// Larger than any picture of the game; a window-sized limit is given by the caller.
constexpr std::size_t picture_file_limit = 8U << 20U;

struct PictureLoad {
    SurfaceHandle surface;  // ARGB8888; empty on failure
    std::string error;      // why it could not be loaded
};

// The picture in the file's bytes, decoded as the format `name` ends in, at most `max_width` by
// `max_height` pixels. A GIF's silver (#C0C0C0) pixels are made transparent.
PictureLoad decode_picture(std::string_view bytes, const std::string& name, int max_width, int max_height);

// The picture in the regular file at `path`, as decode_picture.
PictureLoad load_picture_file(const std::filesystem::path& path, int max_width, int max_height);

// As load_picture_file; a picture that cannot be loaded is a RuntimeError naming its file.
SurfaceHandle require_picture_file(const std::filesystem::path& path, int max_width, int max_height);

}  // namespace vex
