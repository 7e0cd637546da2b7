// Reading the game's pictures from disk.
#pragma once

#include "platform/sdl/sdl_handles.h"

#include <filesystem>

namespace vex {

// The picture in `path` (GIF, JPEG or BMP), or an empty handle when it cannot be read. A GIF's
// silver (#C0C0C0) pixels are made transparent.
SurfaceHandle load_picture_file(const std::filesystem::path& path);

}  // namespace vex
