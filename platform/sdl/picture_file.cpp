#include "platform/sdl/picture_file.h"

#include "platform/regular_file.h"
#include "platform/runtime_error.h"

#include <SDL_image.h>
#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <vector>

namespace vex {

namespace {

constexpr Uint32 silver_argb = 0xFFC0C0C0;

struct Size {
    int width = 0;
    int height = 0;
};

unsigned byte_at(std::string_view bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }
int little16(std::string_view b, std::size_t at) { return static_cast<int>(byte_at(b, at) | byte_at(b, at + 1) << 8U); }
int big16(std::string_view b, std::size_t at) { return static_cast<int>(byte_at(b, at) << 8U | byte_at(b, at + 1)); }
std::int32_t little32(std::string_view b, std::size_t at) {
    return static_cast<std::int32_t>(byte_at(b, at) | byte_at(b, at + 1) << 8U | byte_at(b, at + 2) << 16U |
                                     byte_at(b, at + 3) << 24U);
}

// The size a JPEG declares in its first start-of-frame segment.
std::optional<Size> jpeg_size(std::string_view b) {
    if (b.size() < 4 || byte_at(b, 0) != 0xFF || byte_at(b, 1) != 0xD8) {
        return std::nullopt;
    }
    std::size_t at = 2;
    while (at + 4 <= b.size() && byte_at(b, at) == 0xFF) {
        const unsigned marker = byte_at(b, at + 1);
        const auto length = static_cast<std::size_t>(big16(b, at + 2));
        const bool start_of_frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (start_of_frame) {
            return at + 9 <= b.size() ? std::optional(Size{big16(b, at + 7), big16(b, at + 5)}) : std::nullopt;
        }
        at += 2 + length;
    }
    return std::nullopt;
}

// The size a BMP declares in its information header (negative heights run top-down).
std::optional<Size> bmp_size(std::string_view b) {
    if (b.size() < 26 || b.substr(0, 2) != "BM") {
        return std::nullopt;
    }
    if (little32(b, 14) == 12) {
        return Size{little16(b, 18), little16(b, 20)};
    }
    const std::int32_t height = little32(b, 22);
    return Size{little32(b, 18), height == INT32_MIN ? -1 : std::abs(height)};
}

struct GifSource {
    std::string_view bytes;
    std::size_t at = 0;
};

int read_gif_bytes(GifFileType* gif, GifByteType* buffer, int wanted) {
    auto& source = *static_cast<GifSource*>(gif->UserData);
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(wanted, 0)), source.bytes.size() - source.at);
    std::memcpy(buffer, source.bytes.data() + source.at, count);
    source.at += count;
    return static_cast<int>(count);
}

struct GifClose {
    void operator()(GifFileType* gif) const {
        int ignored = 0;
        DGifCloseFile(gif, &ignored);
    }
};

// The first image of a GIF on its logical screen, decoded by giflib, whose reads are bounded by
// the screen size checked before any pixel is allocated. Pixels the image leaves uncovered are
// silver, the transparent colour.
PictureLoad decode_gif(std::string_view bytes, int max_width, int max_height) {
    GifSource source{bytes};
    int error = 0;
    const std::unique_ptr<GifFileType, GifClose> gif(DGifOpen(&source, read_gif_bytes, &error));
    if (!gif) {
        return {{}, GifErrorString(error)};
    }
    const int width = gif->SWidth;
    const int height = gif->SHeight;
    if (width <= 0 || height <= 0 || width > max_width || height > max_height) {
        return {{}, "declares " + std::to_string(width) + " x " + std::to_string(height) + " pixels"};
    }
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    while (DGifGetRecordType(gif.get(), &record) == GIF_OK && record == EXTENSION_RECORD_TYPE) {
        int code = 0;
        GifByteType* extension = nullptr;
        if (DGifGetExtension(gif.get(), &code, &extension) != GIF_OK) {
            return {{}, "damaged extension"};
        }
        while (extension != nullptr) {
            if (DGifGetExtensionNext(gif.get(), &extension) != GIF_OK) {
                return {{}, "damaged extension"};
            }
        }
    }
    if (record != IMAGE_DESC_RECORD_TYPE || DGifGetImageDesc(gif.get()) != GIF_OK) {
        return {{}, "no image"};
    }
    const GifImageDesc& image = gif->Image;
    const ColorMapObject* colors = image.ColorMap != nullptr ? image.ColorMap : gif->SColorMap;
    if (colors == nullptr || image.Left < 0 || image.Top < 0 || image.Width <= 0 || image.Height <= 0 ||
        image.Width > width - image.Left || image.Height > height - image.Top) {
        return {{}, "image outside its screen or without colours"};
    }
    std::vector<GifPixelType> pixels(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
    const auto read_row = [&](int row) {
        return DGifGetLine(gif.get(), pixels.data() + static_cast<std::size_t>(row) * image.Width, image.Width) == GIF_OK;
    };
    if (image.Interlace) {
        constexpr std::array<int, 4> first{0, 4, 2, 1};
        constexpr std::array<int, 4> step{8, 8, 4, 2};
        for (std::size_t pass = 0; pass < first.size(); ++pass) {
            for (int row = first[pass]; row < image.Height; row += step[pass]) {
                if (!read_row(row)) {
                    return {{}, GifErrorString(gif->Error)};
                }
            }
        }
    } else {
        for (int row = 0; row < image.Height; ++row) {
            if (!read_row(row)) {
                return {{}, GifErrorString(gif->Error)};
            }
        }
    }
    SurfaceHandle surface(SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) {
        return {{}, SDL_GetError()};
    }
    SDL_FillRect(surface.get(), nullptr, silver_argb);
    for (int y = 0; y < image.Height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + (image.Top + y) * surface->pitch);
        for (int x = 0; x < image.Width; ++x) {
            const GifPixelType index = pixels[static_cast<std::size_t>(y) * image.Width + x];
            if (index >= colors->ColorCount) {
                return {{}, "colour index outside its palette"};
            }
            const GifColorType& c = colors->Colors[index];
            row[image.Left + x] = 0xFF000000U | Uint32{c.Red} << 16U | Uint32{c.Green} << 8U | c.Blue;
        }
    }
    return {std::move(surface), {}};
}

}  // namespace

PictureLoad decode_picture(std::string_view bytes, const std::string& name, int max_width, int max_height) {
    const std::string extension = std::filesystem::path(name).extension().string();
    PictureLoad result;
    if (extension == ".gif") {
        result = decode_gif(bytes, max_width, max_height);
    } else if (extension == ".jpg" || extension == ".bmp") {
        const auto declared = extension == ".jpg" ? jpeg_size(bytes) : bmp_size(bytes);
        if (!declared) {
            return {{}, "not a " + extension.substr(1) + " picture"};
        }
        if (declared->width <= 0 || declared->height <= 0 || declared->width > max_width || declared->height > max_height) {
            return {{}, "declares " + std::to_string(declared->width) + " x " + std::to_string(declared->height) + " pixels"};
        }
        SDL_RWops* stream = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        const SurfaceHandle decoded(extension == ".jpg" ? IMG_LoadJPG_RW(stream) : SDL_LoadBMP_RW(stream, 0));
        SDL_RWclose(stream);
        if (!decoded) {
            return {{}, SDL_GetError()};
        }
        result.surface.reset(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    } else {
        return {{}, "not a picture format of the game"};
    }
    if (result.surface && (result.surface->w > max_width || result.surface->h > max_height)) {
        return {{}, "larger than the window"};
    }
    if (!result.surface) {
        return {{}, result.error.empty() ? std::string(SDL_GetError()) : result.error};
    }
    if (extension == ".gif") {
        SDL_SetColorKey(result.surface.get(), SDL_TRUE, SDL_MapRGB(result.surface->format, 0xC0, 0xC0, 0xC0));
    }
    return result;
}

PictureLoad load_picture_file(const std::filesystem::path& path, int max_width, int max_height) {
    const FileRead file = read_regular_file(path, picture_file_limit);
    if (file.status != FileRead::Status::Read) {
        return {{}, file.status == FileRead::Status::Missing ? "missing" : file.reason};
    }
    return decode_picture(file.bytes, path.filename().string(), max_width, max_height);
}

SurfaceHandle require_picture_file(const std::filesystem::path& path, int max_width, int max_height) {
    PictureLoad loaded = load_picture_file(path, max_width, max_height);
    if (!loaded.surface) {
        throw RuntimeError("The picture " + path.string() + " cannot be shown (" + loaded.error + "). Reinstall the game.");
    }
    return std::move(loaded.surface);
}

}  // namespace vex
