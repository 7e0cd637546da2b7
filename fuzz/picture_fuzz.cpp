// Any bytes as one of the game's pictures: the first byte picks the name (.gif, .jpg or .bmp)
// and the size limit (the window's, or an icon's before it is scaled down), the rest is the
// file, decoded through our checks into the picture libraries, EXIF orientations and CMYK
// included. The EXIF reader also gets the bytes on their own, as an APP1 segment.
#include "platform/sdl/draw/jpeg_picture.h"
#include "platform/sdl/draw/picture_file.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    static constexpr std::array<const char*, 3> names{"brit1.gif", "ship.jpg", "bady.bmp"};
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const int orientation = vex::exif_orientation(bytes);
    if (orientation < 1 || orientation > 8) {
        std::abort();
    }
    const bool icon_sized = data[0] / names.size() % 2 == 1;
    const int width = icon_sized ? 2048 : 592;
    const int height = icon_sized ? 2048 : 506;
    const vex::PictureLoad picture = vex::decode_picture(bytes, names[data[0] % names.size()], width, height);
    if (picture.surface && (picture.surface->w > width || picture.surface->h > height)) {
        std::abort();
    }
    return 0;
}
