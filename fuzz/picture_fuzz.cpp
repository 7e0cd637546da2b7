// Any bytes as one of the game's pictures: the first byte picks the name (.gif, .jpg or .bmp),
// the rest is the file, decoded through our checks into the picture libraries.
#include "platform/sdl/picture_file.h"

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
    const vex::PictureLoad picture = vex::decode_picture(bytes, names[data[0] % names.size()], 640, 480);
    if (picture.surface && (picture.surface->w > 640 || picture.surface->h > 480)) {
        std::abort();
    }
    return 0;
}
