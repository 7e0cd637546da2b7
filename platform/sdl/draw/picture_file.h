// Reading the game's pictures from disk. Each picture is decoded only as the format its name
// says (.gif, .jpg, .bmp), and only once its header has declared a size that fits the limit.
#pragma once

#include "platform/form.h"
#include "platform/sdl/sdl_handles.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>

namespace vex {

// Larger than any picture of the game; a window-sized limit is given by the caller.
constexpr std::size_t picture_file_limit = 8U << 20U;

// The largest window icon a desktop is handed; larger ones are scaled down to it.
constexpr int icon_pixels = 256;

struct PictureLoad {
    SurfaceHandle surface;  // ARGB8888, transparent pixels with alpha 0; empty on failure
    std::string error;      // why it could not be loaded
};

// The picture in the file's bytes, decoded as the format `name` ends in, at most `max_width` by
// `max_height` pixels as shown. A GIF's own transparent colour and its silver (#C0C0C0) pixels
// are transparent; a JPEG shows CMYK in its real colours and is turned as its EXIF orientation says.
PictureLoad decode_picture(std::string_view bytes, const std::string& name, int max_width, int max_height);

// The picture in the regular file at `path`, as decode_picture.
PictureLoad load_picture_file(const std::filesystem::path& path, int max_width, int max_height);

// As load_picture_file; a picture that cannot be loaded is a RuntimeError naming its file.
SurfaceHandle require_picture_file(const std::filesystem::path& path, int max_width, int max_height);

// The window icon at `path`, scaled down to fit icon_pixels when it is larger; a RuntimeError
// naming its file when it cannot be loaded.
SurfaceHandle require_icon_file(const std::filesystem::path& path);

// Decoded pictures by their path relative to the program folder.
using Pictures = std::unordered_map<std::string, SurfaceHandle>;

// Every picture the form's images will ever show, read from `folder` and checked against the
// form's size, each file once: the first that cannot be shown is a RuntimeError naming it.
Pictures require_form_pictures(const Form& form, const std::filesystem::path& folder);

}  // namespace vex
