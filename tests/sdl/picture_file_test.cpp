// Pictures decoded only as the format their name says, within the declared size limit, and drawn
// as an image viewer (ImageMagick) shows them: a GIF's own transparent colour, CMYK JPEGs, EXIF
// orientations. The files are made by ImageMagick, gifsicle and exiftool as each test runs.
#include "platform/runtime_error.h"
#include "platform/sdl/draw/picture_file.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

#include <sys/stat.h>

namespace vex {
namespace {

namespace fs = std::filesystem;

std::string data_file(const char* name) { return testing::file_bytes(fs::path(VEX_DATA_DIR) / "pictures" / name).value_or(""); }

// "WxH" of the decoded picture, or "refused: " and why.
std::string outcome(const PictureLoad& load) {
    return load.surface ? std::to_string(load.surface->w) + "x" + std::to_string(load.surface->h) : "refused: " + load.error;
}

// Runs a shell command in `folder`; true when it succeeded.
bool run_in(const fs::path& folder, const std::string& command) {
    return std::system(("cd '" + folder.string() + "' && { " + command + "; } >/dev/null 2>&1").c_str()) == 0;
}

// How far the decoded picture is from ImageMagick's rendering of the same file (turned as its
// orientation says, `extra` applied): the largest difference of a colour channel over the
// pixels ImageMagick shows opaque, 255 when a pixel's transparency or the size differs.
int distance_from_viewer(const fs::path& folder, const std::string& file, const SDL_Surface& decoded,
                         const std::string& extra = "") {
    if (!run_in(folder, "convert '" + file + "' -auto-orient " + extra + " -colorspace sRGB -depth 8 viewer.rgba")) {
        return 255;
    }
    const std::string viewer = testing::file_bytes(folder / "viewer.rgba").value_or("");
    if (viewer.size() != static_cast<std::size_t>(decoded.w) * static_cast<std::size_t>(decoded.h) * 4) {
        return 255;
    }
    int most = 0;
    for (int y = 0; y < decoded.h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(decoded.pixels) + y * decoded.pitch);
        for (int x = 0; x < decoded.w; ++x) {
            const auto* shown = reinterpret_cast<const unsigned char*>(viewer.data()) + (static_cast<std::size_t>(y) * decoded.w + x) * 4;
            const Uint32 ours = row[x];
            if ((shown[3] == 0) != (ours >> 24U == 0)) {
                return 255;
            }
            if (shown[3] != 0) {
                for (int channel = 0; channel < 3; ++channel) {
                    const int own = static_cast<int>(ours >> (16U - 8U * static_cast<unsigned>(channel)) & 0xFFU);
                    most = std::max(most, std::abs(own - shown[channel]));
                }
            }
        }
    }
    return most;
}

TEST(PictureFile, DecodedAsNamedWithinTheDeclaredSizeLimit) {
    const std::string gif = data_file("brit1.gif");
    const std::string bmp = data_file("bady.bmp");
    const std::string jpeg = data_file("ship.jpg");
    // A 40-byte GIF whose screen is 53841 x 13778 pixels.
    const std::string giant_gif = std::string("GIF89a\x51\xD2\xD2\x35\x00\x00\x00", 13) + std::string(27, '\0');
    // The ship's JPEG and the boss's BMP with headers declaring 60000 pixels across.
    std::string giant_jpeg = jpeg;
    giant_jpeg.replace(giant_jpeg.find("\xFF\xC0") + 5, 4, std::string("\xEA\x60\xEA\x60", 4));
    std::string giant_bmp = bmp;
    giant_bmp.replace(18, 4, std::string("\x60\xEA\x00\x00", 4));
    const std::vector<std::tuple<std::string, std::string, std::string>> rows{
        // name, bytes, size or reason
        {"brit1.gif", gif, "61x70"},
        {"ship.jpg", jpeg, "39x70"},
        {"bady.bmp", bmp, "164x133"},
        {"brit1.jpg", gif, "refused: Not a JPEG file"},
        {"bady.gif", bmp, "refused"},
        {"giant.gif", giant_gif, "refused: declares 53841 x 13778 pixels"},
        {"giant.jpg", giant_jpeg, "refused: declares 60000 x 60000 pixels"},
        {"giant.bmp", giant_bmp, "refused: declares 60000 x 133 pixels"},
        {"cut.gif", gif.substr(0, 200), "refused"},
        {"cut.bmp", bmp.substr(0, 400), "refused"},
        {"cut.jpg", jpeg.substr(0, 20), "refused"},
        {"brit1.png", gif, "refused: not a picture format of the game"},
    };
    for (const auto& [name, bytes, expected] : rows) {
        SCOPED_TRACE(name);
        const std::string got = outcome(decode_picture(bytes, name, 640, 480));
        EXPECT_NE(got.find(expected), std::string::npos) << got;
    }
    EXPECT_EQ(outcome(decode_picture(gif, "brit1.gif", 60, 480)), "refused: declares 61 x 70 pixels") << "wider than the window";
    const testing::TestFolder folder;
    ::mkfifo((folder.path() / "fifo.gif").c_str(), 0666);
    EXPECT_EQ(outcome(load_picture_file(folder.path() / "fifo.gif", 640, 480)), "refused: not a regular file");
    EXPECT_EQ(outcome(load_picture_file(folder.path() / "pictures", 640, 480)), "refused: not a regular file");
}

// A 48 x 32 picture that looks different in each of the eight orientations: a vertical gradient
// from orange to navy, a lime block in the top-left corner and a blue one on the right edge.
constexpr const char* source_picture =
    "convert -size 48x32 gradient:orange-navy -fill lime -draw 'rectangle 2,2 11,13' "
    "-fill blue -draw 'rectangle 40,20 47,25' source.png";

TEST(PictureFile, ToolMadeFilesShowAsAnImageViewerShowsThem) {
    const testing::TestFolder folder;
    ASSERT_TRUE(run_in(folder.path(), source_picture)) << "ImageMagick is needed";
    const std::string flat = "convert -size 48x32 xc:red -fill blue -draw 'circle 24,16 24,4' "
                             "-fill '#C0C0C0' -draw 'rectangle 30,2 40,8' -fill lime -draw 'rectangle 2,2 9,13'";
    // The source saved as `file` with ImageMagick's `options`, then given an EXIF orientation (in
    // big-endian EXIF when the name begins with "big").
    const auto turned = [](const std::string& file, int orientation, const std::string& options = "") {
        return "convert source.png " + options + " " + file + " && exiftool -n " + (file.starts_with("big") ? "-ExifByteOrder=MM " : "") +
               "-Orientation=" + std::to_string(orientation) + " -overwrite_original " + file;
    };
    const std::vector<std::tuple<std::string, std::string, std::string>> rows{
        // file, how it is made, what the game shows
        {"plain.gif", flat + " plain.gif", "48x32"},
        {"magick-transparent.gif", flat + " -transparent red magick-transparent.gif", "48x32"},
        {"gifsicle-transparent.gif", flat + " plain.gif && gifsicle --transparent '#0000FF' plain.gif -o gifsicle-transparent.gif", "48x32"},
        {"interlaced.gif", flat + " -transparent red t.gif && gifsicle --interlace t.gif -o interlaced.gif", "48x32"},
        {"plain.jpg", "convert source.png plain.jpg", "48x32"},
        {"grey.jpg", "convert source.png -colorspace Gray grey.jpg", "48x32"},
        {"cmyk.jpg", "convert source.png -colorspace CMYK cmyk.jpg", "48x32"},
        {"cut-short.jpg", "convert source.png -quality 100 full.jpg && head -c 1200 full.jpg > cut-short.jpg", "48x32"},
        {"mirrored.jpg", turned("mirrored.jpg", 2), "48x32"},
        {"upside-down.jpg", turned("upside-down.jpg", 3), "48x32"},
        {"flipped.jpg", turned("flipped.jpg", 4), "48x32"},
        {"transposed.jpg", turned("transposed.jpg", 5), "32x48"},
        {"turned-right.jpg", turned("turned-right.jpg", 6), "32x48"},
        {"transversed.jpg", turned("transversed.jpg", 7), "32x48"},
        {"turned-left.jpg", turned("turned-left.jpg", 8), "32x48"},
        {"big-endian-exif.jpg", turned("big-endian-exif.jpg", 6), "32x48"},
        {"cmyk-turned.jpg", turned("cmyk-turned.jpg", 8, "-colorspace CMYK"), "32x48"},
        {"bmp3.bmp", "convert source.png bmp3:bmp3.bmp", "48x32"},
        {"png-named.bmp", "convert source.png png:png-named.bmp", "refused: not a bmp picture"},
        {"png-named.jpg", "convert source.png png:png-named.jpg", "refused: Not a JPEG file: starts with 0x89 0x50"},
        {"too-large.bmp", "convert -size 593x10 xc:red bmp3:too-large.bmp", "refused: declares 593 x 10 pixels"},
        {"window-wide.bmp", "convert -size 592x506 xc:red bmp3:window-wide.bmp", "592x506"},
        {"too-tall-turned.jpg", "convert -size 507x30 xc:red too-tall-turned.jpg && exiftool -n -Orientation=6 -overwrite_original too-tall-turned.jpg",
         "refused: declares 30 x 507 pixels"},
    };
    for (const auto& [file, making, expected] : rows) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(run_in(folder.path(), making)) << making;
        const PictureLoad load = load_picture_file(folder.path() / file, 592, 506);
        EXPECT_EQ(outcome(load), expected);
        if (load.surface && expected.find('x') != std::string::npos) {
            // The game's own rule: silver is transparent in a GIF, as if the viewer were told so.
            const std::string silver = file.ends_with(".gif") ? "-transparent '#C0C0C0'" : "";
            EXPECT_LE(distance_from_viewer(folder.path(), file, *load.surface, silver), 3);
        }
    }
}

TEST(PictureFile, LargeWindowIconsAreScaledDown) {
    const testing::TestFolder folder;
    const std::vector<std::tuple<std::string, std::string>> rows{
        // icon made by ImageMagick, size given to the desktop
        {"-size 32x32 xc:orange", "32x32"},
        {"-size 256x256 xc:orange", "256x256"},
        {"-size 257x100 xc:orange", "256x99"},
        {"-size 300x2048 xc:orange", "37x256"},
    };
    for (const auto& [making, expected] : rows) {
        SCOPED_TRACE(making);
        ASSERT_TRUE(run_in(folder.path(), "convert " + making + " bmp3:icon.bmp"));
        const SurfaceHandle icon = require_icon_file(folder.path() / "icon.bmp");
        EXPECT_EQ(std::to_string(icon->w) + "x" + std::to_string(icon->h), expected);
        const auto* middle = static_cast<const Uint8*>(icon->pixels) + icon->h / 2 * icon->pitch + icon->w / 2 * 4;
        EXPECT_EQ(*reinterpret_cast<const Uint32*>(middle), 0xFFFFA500U) << "orange kept";
    }
    ASSERT_TRUE(run_in(folder.path(), "convert -size 2049x8 xc:orange bmp3:icon.bmp"));
    EXPECT_THROW(require_icon_file(folder.path() / "icon.bmp"), RuntimeError) << "too large even to scale";
}

}  // namespace
}  // namespace vex
