// JPEG pictures decoded by libjpeg, shown as an image viewer shows them: CMYK in its real colours,
// turned and mirrored as the EXIF orientation says.
#pragma once

#include "platform/sdl/draw/picture_file.h"

#include <string_view>

namespace vex {

// The EXIF orientation (1 to 8) in an APP1 segment's bytes ("Exif\0\0" and a TIFF header);
// 1, as stored, when it has none or it cannot be read.
int exif_orientation(std::string_view app1);

// The JPEG in `bytes`, at most `max_width` by `max_height` pixels once turned; the size is
// checked before any pixel is decoded.
PictureLoad decode_jpeg(std::string_view bytes, int max_width, int max_height);

}  // namespace vex
