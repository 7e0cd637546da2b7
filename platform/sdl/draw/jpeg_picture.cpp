#include "platform/sdl/draw/jpeg_picture.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include <jpeglib.h>

namespace vex {

namespace {

// Progressive files of thousands of tiny scans cost minutes to decode; real ones have about ten.
constexpr int max_scans = 256;

// libjpeg reports an error by calling error_exit, which must not return: it jumps back to the
// decoder's setjmp with the message.
struct JpegErrors {
    jpeg_error_mgr manager{};
    std::jmp_buf escape{};
    char message[JMSG_LENGTH_MAX] = {};
};

[[noreturn]] void escape(j_common_ptr info, const char* message) {
    auto* errors = reinterpret_cast<JpegErrors*>(info->err);
    std::snprintf(errors->message, sizeof errors->message, "%s", message);
    std::longjmp(errors->escape, 1);
}

[[noreturn]] void escape_on_error(j_common_ptr info) {
    char message[JMSG_LENGTH_MAX] = {};
    (*info->err->format_message)(info, message);
    escape(info, message);
}

// A damaged but readable file draws what could be read, without a word on standard error.
void stay_silent(j_common_ptr /*info*/) {}

void limit_scans(j_common_ptr info) {
    if (info->is_decompressor && reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > max_scans) {
        escape(info, "too many scans");
    }
}

// Everything the decoding changes lives here, outside the frame that calls setjmp, so that it
// holds its values after a jump.
struct JpegRead {
    jpeg_decompress_struct info{};
    JpegErrors errors;
    jpeg_progress_mgr progress{};
    bool created = false;
    int orientation = 1;
    std::vector<JSAMPLE> samples;
    std::string refusal;

    JpegRead() = default;
    JpegRead(const JpegRead&) = delete;
    JpegRead& operator=(const JpegRead&) = delete;
    ~JpegRead() {
        if (created) {
            jpeg_destroy_decompress(&info);
        }
    }
};

bool turned_sideways(int orientation) { return orientation >= 5; }

// Decodes into read.samples (RGB or CMYK); false with read.refusal or read.errors.message set.
bool read_jpeg(JpegRead& read, std::string_view bytes, int max_width, int max_height) {
    read.info.err = jpeg_std_error(&read.errors.manager);
    read.errors.manager.error_exit = escape_on_error;
    read.errors.manager.output_message = stay_silent;
    if (setjmp(read.errors.escape) != 0) {
        return false;
    }
    jpeg_create_decompress(&read.info);
    read.created = true;
    read.progress.progress_monitor = limit_scans;
    read.info.progress = &read.progress;
    // Pictures are read up to a limit far below 4 GB, so the size fits libjpeg's unsigned long,
    // which has 32 bits on Windows.
    jpeg_mem_src(&read.info, reinterpret_cast<const unsigned char*>(bytes.data()), static_cast<unsigned long>(bytes.size()));
    jpeg_save_markers(&read.info, JPEG_APP0 + 1, 0xFFFF);
    jpeg_read_header(&read.info, TRUE);
    for (jpeg_saved_marker_ptr marker = read.info.marker_list; marker != nullptr; marker = marker->next) {
        const int orientation = exif_orientation({reinterpret_cast<const char*>(marker->data), marker->data_length});
        if (orientation != 1) {
            read.orientation = orientation;
            break;
        }
    }
    const auto width = static_cast<int>(read.info.image_width);
    const auto height = static_cast<int>(read.info.image_height);
    const int shown_width = turned_sideways(read.orientation) ? height : width;
    const int shown_height = turned_sideways(read.orientation) ? width : height;
    if (shown_width > max_width || shown_height > max_height) {
        read.refusal = "declares " + std::to_string(shown_width) + " x " + std::to_string(shown_height) + " pixels";
        return false;
    }
    const bool cmyk = read.info.jpeg_color_space == JCS_CMYK || read.info.jpeg_color_space == JCS_YCCK;
    read.info.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_start_decompress(&read.info);
    const std::size_t row_size = std::size_t{read.info.output_width} * static_cast<std::size_t>(read.info.output_components);
    read.samples.resize(row_size * read.info.output_height);
    while (read.info.output_scanline < read.info.output_height) {
        JSAMPROW row = read.samples.data() + row_size * read.info.output_scanline;
        jpeg_read_scanlines(&read.info, &row, 1);
    }
    jpeg_finish_decompress(&read.info);
    return true;
}

Uint8 times(unsigned a, unsigned b) { return static_cast<Uint8>((a * b + 127U) / 255U); }

// An RGB or CMYK sample as an opaque ARGB pixel. CMYK JPEGs are written as Photoshop writes them
// (ImageMagick and libjpeg do the same), inverted: 255 means no ink.
Uint32 argb_of(const JSAMPLE* sample, bool cmyk) {
    unsigned red = sample[0];
    unsigned green = sample[1];
    unsigned blue = sample[2];
    if (cmyk) {
        red = times(red, sample[3]);
        green = times(green, sample[3]);
        blue = times(blue, sample[3]);
    }
    return 0xFF000000U | red << 16U | green << 8U | blue;
}

// The stored pixel that shows at (x, y) of a picture stored `width` by `height`.
std::size_t stored_index(int orientation, int x, int y, int width, int height) {
    int from_x = x;
    int from_y = y;
    switch (orientation) {
    case 2: from_x = width - 1 - x; break;
    case 3: from_x = width - 1 - x; from_y = height - 1 - y; break;
    case 4: from_y = height - 1 - y; break;
    case 5: from_x = y; from_y = x; break;
    case 6: from_x = y; from_y = height - 1 - x; break;
    case 7: from_x = width - 1 - y; from_y = height - 1 - x; break;
    case 8: from_x = width - 1 - y; from_y = x; break;
    default: break;
    }
    return static_cast<std::size_t>(from_y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(from_x);
}

}  // namespace

int exif_orientation(std::string_view app1) {
    constexpr std::string_view exif_header("Exif\0\0", 6);
    if (app1.substr(0, exif_header.size()) != exif_header) {
        return 1;
    }
    const std::string_view tiff = app1.substr(exif_header.size());
    const bool little = tiff.substr(0, 2) == "II";
    if (tiff.size() < 8 || (!little && tiff.substr(0, 2) != "MM")) {
        return 1;
    }
    const auto byte = [&](std::size_t at) { return std::uint32_t{static_cast<unsigned char>(tiff[at])}; };
    const auto read16 = [&](std::size_t at) {
        return little ? byte(at) | byte(at + 1) << 8U : byte(at) << 8U | byte(at + 1);
    };
    const auto read32 = [&](std::size_t at) {
        return little ? read16(at) | read16(at + 2) << 16U : read16(at) << 16U | read16(at + 2);
    };
    const std::size_t directory = read32(4);
    if (read16(2) != 42 || directory > tiff.size() - 2) {
        return 1;
    }
    constexpr std::uint32_t orientation_tag = 0x0112;
    constexpr std::uint32_t short_type = 3;
    const std::uint32_t entries = read16(directory);
    for (std::size_t entry = directory + 2; entries > 0 && entry + 12 <= tiff.size() &&
                                            entry < directory + 2 + std::size_t{12} * entries;
         entry += 12) {
        if (read16(entry) == orientation_tag && read16(entry + 2) == short_type) {
            const std::uint32_t value = read16(entry + 8);
            return value >= 1 && value <= 8 ? static_cast<int>(value) : 1;
        }
    }
    return 1;
}

PictureLoad decode_jpeg(std::string_view bytes, int max_width, int max_height) {
    JpegRead read;
    if (!read_jpeg(read, bytes, max_width, max_height)) {
        return {{}, read.refusal.empty() ? std::string(read.errors.message) : read.refusal};
    }
    const auto width = static_cast<int>(read.info.output_width);
    const auto height = static_cast<int>(read.info.output_height);
    const bool sideways = turned_sideways(read.orientation);
    SurfaceHandle surface(SDL_CreateRGBSurfaceWithFormat(0, sideways ? height : width, sideways ? width : height, 32,
                                                         SDL_PIXELFORMAT_ARGB8888));
    if (!surface) {
        return {{}, SDL_GetError()};
    }
    const bool cmyk = read.info.out_color_space == JCS_CMYK;
    const auto components = static_cast<std::size_t>(read.info.output_components);
    for (int y = 0; y < surface->h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < surface->w; ++x) {
            const std::size_t at = stored_index(read.orientation, x, y, width, height) * components;
            row[x] = argb_of(read.samples.data() + at, cmyk);
        }
    }
    return {std::move(surface), {}};
}

}  // namespace vex
