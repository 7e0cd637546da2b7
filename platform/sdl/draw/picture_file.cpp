#include "platform/sdl/draw/picture_file.h"

#include "platform/control.h"
#include "platform/little_endian.h"
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "platform/runtime_error.h"
#include "platform/layout/geometry.h"
#include "platform/sdl/draw/jpeg_picture.h"

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

constexpr Uint32 transparent_argb = 0;

// Icons are read up to this size before they are scaled down.
constexpr int max_icon_file_pixels = 2048;

struct Size {
    int width = 0;
    int height = 0;
};

int little16(std::string_view b, std::size_t at) { return static_cast<int>(little_endian(b, at, 2)); }
std::int32_t little32(std::string_view b, std::size_t at) { return static_cast<std::int32_t>(little_endian(b, at, 4)); }

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
// the screen size checked before any pixel is allocated. Pixels the image leaves uncovered, those
// of the transparent colour its graphic control block names and the silver ones are transparent.
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
    int transparent = NO_TRANSPARENT_COLOR;
    while (DGifGetRecordType(gif.get(), &record) == GIF_OK && record == EXTENSION_RECORD_TYPE) {
        int code = 0;
        GifByteType* extension = nullptr;
        if (DGifGetExtension(gif.get(), &code, &extension) != GIF_OK) {
            return {{}, "damaged extension"};
        }
        GraphicsControlBlock control{};
        if (code == GRAPHICS_EXT_FUNC_CODE && extension != nullptr &&
            DGifExtensionToGCB(extension[0], extension + 1, &control) == GIF_OK) {
            transparent = control.TransparentColor;
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
    SDL_FillRect(surface.get(), nullptr, transparent_argb);
    for (int y = 0; y < image.Height; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + (image.Top + y) * surface->pitch);
        for (int x = 0; x < image.Width; ++x) {
            const GifPixelType index = pixels[static_cast<std::size_t>(y) * image.Width + x];
            if (index == transparent) {
                continue;
            }
            if (index >= colors->ColorCount) {
                return {{}, "colour index outside its palette"};
            }
            const GifColorType& c = colors->Colors[index];
            const bool silver = c.Red == 0xC0 && c.Green == 0xC0 && c.Blue == 0xC0;
            row[image.Left + x] = silver ? transparent_argb : 0xFF000000U | Uint32{c.Red} << 16U | Uint32{c.Green} << 8U | c.Blue;
        }
    }
    return {std::move(surface), {}};
}

// A BMP decoded by SDL once the size its header declares fits.
PictureLoad decode_bmp(std::string_view bytes, int max_width, int max_height) {
    const auto declared = bmp_size(bytes);
    if (!declared) {
        return {{}, "not a bmp picture"};
    }
    if (declared->width <= 0 || declared->height <= 0 || declared->width > max_width || declared->height > max_height) {
        return {{}, "declares " + std::to_string(declared->width) + " x " + std::to_string(declared->height) + " pixels"};
    }
    const SurfaceHandle decoded(SDL_LoadBMP_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1));
    if (!decoded) {
        return {{}, SDL_GetError()};
    }
    SurfaceHandle surface(SDL_ConvertSurfaceFormat(decoded.get(), SDL_PIXELFORMAT_ARGB8888, 0));
    if (!surface) {
        return {{}, SDL_GetError()};
    }
    return {std::move(surface), {}};
}

// The picture made smaller by halves until it fits `most` pixels both ways, its proportions kept.
SurfaceHandle shrink_to_fit(SurfaceHandle picture, int most) {
    while (picture && (picture->w > most || picture->h > most)) {
        const int longest = std::max(picture->w, picture->h);
        const int step = std::max(most, (longest + 1) / 2);
        SurfaceHandle smaller(SDL_CreateRGBSurfaceWithFormat(0, std::max(1, picture->w * step / longest),
                                                             std::max(1, picture->h * step / longest), 32,
                                                             SDL_PIXELFORMAT_ARGB8888));
        if (smaller && SDL_SoftStretchLinear(picture.get(), nullptr, smaller.get(), nullptr) != 0) {
            smaller.reset();
        }
        picture = std::move(smaller);
    }
    return picture;
}

}  // namespace

PictureLoad decode_picture(std::string_view bytes, const std::string& name, int max_width, int max_height) {
    const std::string extension = std::filesystem::path(name).extension().string();
    PictureLoad result;
    if (extension == ".gif") {
        result = decode_gif(bytes, max_width, max_height);
    } else if (extension == ".jpg") {
        result = decode_jpeg(bytes, max_width, max_height);
    } else if (extension == ".bmp") {
        result = decode_bmp(bytes, max_width, max_height);
    } else {
        return {{}, "not a picture format of the game"};
    }
    if (result.surface && (result.surface->w > max_width || result.surface->h > max_height)) {
        return {{}, "larger than the window"};
    }
    return result;
}

PictureLoad load_picture_file(const std::filesystem::path& path, int max_width, int max_height) {
    const FileRead file = read_regular_file(path, picture_file_limit);
    if (file.status != FileRead::Status::Read) {
        return {{}, file.status == FileRead::Status::Missing ? "missing" : file.reason};
    }
    return decode_picture(file.bytes, utf8_text(path.filename()), max_width, max_height);
}

SurfaceHandle require_picture_file(const std::filesystem::path& path, int max_width, int max_height) {
    PictureLoad loaded = load_picture_file(path, max_width, max_height);
    if (!loaded.surface) {
        throw RuntimeError("The picture " + utf8_text(path) + " cannot be shown (" + loaded.error + "). Reinstall the game.");
    }
    return std::move(loaded.surface);
}

SurfaceHandle require_icon_file(const std::filesystem::path& path) {
    SurfaceHandle icon = shrink_to_fit(require_picture_file(path, max_icon_file_pixels, max_icon_file_pixels), icon_pixels);
    if (!icon) {
        throw RuntimeError("The picture " + utf8_text(path) + " cannot be shown (" + SDL_GetError() + "). Reinstall the game.");
    }
    return icon;
}

Pictures require_form_pictures(const Form& form, const std::filesystem::path& folder) {
    const PixelSize limit = client_size(form);
    Pictures pictures;
    for (const Control* control : form.controls()) {
        if (control->kind() == ControlKind::Image) {
            const std::string& picture = static_cast<const Image*>(control)->picture;
            if (!pictures.contains(picture)) {
                pictures.emplace(picture, require_picture_file(folder / picture, limit.w, limit.h));
            }
        }
    }
    return pictures;
}

}  // namespace vex
