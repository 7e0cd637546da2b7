// Pictures decoded only as the format their name says, and only within the declared size limit.
#include "platform/sdl/picture_file.h"

#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

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

TEST(PictureFile, DecodedAsNamedWithinTheDeclaredSizeLimit) {
    const std::string gif = data_file("brit1.gif");
    const std::string bmp = data_file("bady.bmp");
    // A 40-byte GIF whose screen is 53841 x 13778 pixels.
    const std::string giant_gif = std::string("GIF89a\x51\xD2\xD2\x35\x00\x00\x00", 13) + std::string(27, '\0');
    // A JPEG start of frame and a BMP header declaring 60000 pixels across.
    const std::string giant_jpeg("\xFF\xD8\xFF\xC0\x00\x11\x08\xEA\x60\xEA\x60\x03", 12);
    std::string giant_bmp = bmp;
    giant_bmp.replace(18, 4, std::string("\x60\xEA\x00\x00", 4));
    const std::vector<std::tuple<std::string, std::string, std::string>> rows{
        // name, bytes, size or reason
        {"brit1.gif", gif, "61x70"},
        {"ship.jpg", data_file("ship.jpg"), "39x70"},
        {"bady.bmp", bmp, "164x133"},
        {"brit1.jpg", gif, "refused: not a jpg picture"},
        {"bady.gif", bmp, "refused"},
        {"giant.gif", giant_gif, "refused: declares 53841 x 13778 pixels"},
        {"giant.jpg", giant_jpeg, "refused: declares 60000 x 60000 pixels"},
        {"giant.bmp", giant_bmp, "refused: declares 60000 x 133 pixels"},
        {"cut.gif", gif.substr(0, 200), "refused"},
        {"cut.bmp", bmp.substr(0, 400), "refused"},
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

}  // namespace
}  // namespace vex
