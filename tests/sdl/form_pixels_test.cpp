// The real painter on the game's window, drawn offscreen with the software renderer.
#include "platform/sdl/snapshot.h"

#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace vex {
namespace {

// How many pixels of `area` pass `test`.
int count(const Snapshot& shot, const PixelRect& area, const std::function<bool(Color)>& test) {
    int n = 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) {
            n += test(shot.at(x, y)) ? 1 : 0;
        }
    }
    return n;
}

int count_of(const Snapshot& shot, const PixelRect& area, Color color) {
    return count(shot, area, [color](Color pixel) { return pixel == color; });
}

// Anti-aliased text: pixels whose every channel lies near the colour's.
int count_like(const Snapshot& shot, const PixelRect& area, Color color) {
    constexpr int tolerance = 100;
    return count(shot, area, [color](Color pixel) {
        for (const unsigned shift : {0U, 8U, 16U}) {
            const int a = static_cast<int>((pixel >> shift) & 0xFFU);
            const int b = static_cast<int>((color >> shift) & 0xFFU);
            if (a - b > tolerance || b - a > tolerance) {
                return false;
            }
        }
        return true;
    });
}

bool is_black(Color pixel) { return pixel == colors::black; }

class FormPixels : public ::testing::Test {
protected:
    testing::LoadedGame game;
    Form1& form = game.form;
    OffscreenView view{form, game.folder.path(), VEX_FONTS_DIR};
};

TEST_F(FormPixels, WindowHasTheClientAreaSize) {
    const Snapshot shot = view.draw();
    EXPECT_EQ(shot.width, 592);
    EXPECT_EQ(shot.height, 506);
}

struct SpriteCase {
    const char* name;
    Image Form1::*image;
    PixelRect area;
};

class SpritePixels : public FormPixels, public ::testing::WithParamInterface<SpriteCase> {};

// Each sprite lies at its place, a picture on black: some of it drawn, none of its silver kept,
// and nothing of it spilling past its rectangle.
TEST_P(SpritePixels, PictureDrawnAtItsPlaceWithoutSilver) {
    const SpriteCase& c = GetParam();
    const Snapshot shot = view.draw();
    const PixelRect& a = c.area;
    EXPECT_GT(count(shot, a, [](Color pixel) { return !is_black(pixel); }), a.w * a.h / 5);
    EXPECT_EQ(count_of(shot, a, colors::silver), 0);
    EXPECT_EQ(count(shot, {a.x - 1, a.y, 1, a.h}, is_black), a.h) << "left of the picture";
    EXPECT_EQ(count(shot, {a.x, a.y - 1, a.w, 1}, is_black), a.w) << "above the picture";
}

INSTANTIATE_TEST_SUITE_P(Startup, SpritePixels,
                         ::testing::Values(SpriteCase{"brit1", &Form1::imgBrit1, {48, 40, 61, 70}},
                                           SpriteCase{"brit2", &Form1::imgBrit2, {144, 40, 70, 60}},
                                           SpriteCase{"brit3", &Form1::imgBrit3, {256, 40, 42, 80}},
                                           SpriteCase{"brit4", &Form1::imgBrit4, {344, 40, 51, 72}},
                                           SpriteCase{"ship", &Form1::imgShip, {200, 432, 39, 70}}),
                         [](const auto& row) { return std::string(row.param.name); });

// Over a white label the wave pictures' transparent corners show the label, not silver.
TEST_F(FormPixels, TransparentSilverShowsWhatLiesBeneath) {
    for (Image* sprite : {&form.imgBrit1, &form.imgBrit2, &form.imgBrit3, &form.imgBrit4}) {
        SCOPED_TRACE(sprite->name());
        form.lblforScore.Left = 0;
        form.lblforScore.Top = 0;
        form.lblforScore.Width = 8880;
        form.lblforScore.Height = 7590;
        form.lblforScore.Caption = "";
        sprite->Left = 1500;
        sprite->Top = 1500;
        const Snapshot shot = view.draw();
        EXPECT_EQ(shot.at(100, 100), colors::white);
        EXPECT_EQ(count_of(shot, {100, 100, to_pixels(sprite->Width), to_pixels(sprite->Height)}, colors::silver), 0);
    }
}

TEST_F(FormPixels, BorderLineIsOneWhitePixelWide) {
    const Snapshot shot = view.draw();
    EXPECT_EQ(count_of(shot, {496, 0, 1, 504}, colors::white), 504);
    EXPECT_EQ(count(shot, {495, 300, 1, 100}, is_black), 100);
    EXPECT_EQ(count(shot, {497, 300, 1, 100}, is_black), 100);
}

TEST_F(FormPixels, ShotLinesAreThreePixelsWideInTheirColours) {
    form.Line2.Visible = true;
    form.Line3.Visible = true;
    const Snapshot shot = view.draw();
    // Line2 runs at x 48 from y 248 to 272, Line3 at x 64; Line4 stays hidden at x 80.
    EXPECT_EQ(count_of(shot, {47, 250, 3, 20}, colors::yellow), 60);
    EXPECT_EQ(count(shot, {46, 250, 1, 20}, is_black), 20);
    EXPECT_EQ(count(shot, {50, 250, 1, 20}, is_black), 20);
    EXPECT_EQ(count_of(shot, {63, 250, 3, 20}, colors::lime), 60);
    EXPECT_EQ(count(shot, {79, 250, 3, 20}, is_black), 60);
}

TEST_F(FormPixels, ScoreLabelHasBorderBackAndBlueText) {
    const Snapshot shot = view.draw();
    // lblScore: (504, 64), 81 x 25.
    const PixelRect score{504, 64, 81, 25};
    EXPECT_EQ(count_of(shot, {score.x, score.y, score.w, 1}, colors::black), score.w) << "top border";
    EXPECT_EQ(count_of(shot, {score.x, score.y, 1, score.h}, colors::black), score.h) << "left border";
    EXPECT_EQ(count_of(shot, {score.x + score.w - 1, score.y, 1, score.h}, colors::black), score.h) << "right border";
    EXPECT_EQ(shot.at(score.x + 2, score.y + 2), colors::grey);
    EXPECT_EQ(shot.at(score.x + score.w - 3, score.y + score.h - 3), colors::grey);
    EXPECT_GT(count_of(shot, score, colors::blue), 10) << "the caption 0";
    // A centred caption: its blue lies in the middle third.
    EXPECT_EQ(count(shot, {score.x, score.y, score.w / 3, score.h}, [](Color c) { return c == colors::blue; }), 0);
}

TEST_F(FormPixels, GameOverShownOnlyWhenVisible) {
    const PixelRect game_over{40, 136, 417, 81};
    EXPECT_EQ(count_of(view.draw(), game_over, colors::red), 0);
    form.Label8.Visible = true;
    const Snapshot shot = view.draw();
    EXPECT_GT(count_of(shot, game_over, colors::red), 1000);
    // On one line: the centred caption reaches the label's right part, not just its middle.
    EXPECT_GT(count_of(shot, {400, 136, 57, 81}, colors::red), 100) << "\"OVER\" beside \"GAME\"";
}

// Frames lie over everything: a sprite under a shown frame leaves no trace inside it.
TEST_F(FormPixels, FrameCoversSpriteBeneath) {
    form.Frame1.Visible = true;
    form.Label4.Visible = true;
    form.Label5.Visible = true;
    const Snapshot frame_alone = view.draw();
    form.imgShip.Left = 1800 + 1500;
    form.imgShip.Top = 840 + 1200;
    form.imgBady.Left = 1800 + 3000;
    form.imgBady.Top = 840;
    form.imgBady.Visible = true;
    const Snapshot frame_over_sprites = view.draw();
    const PixelRect frame{120, 56, 265, 185};
    for (int y = frame.y; y < frame.y + frame.h; ++y) {
        for (int x = frame.x; x < frame.x + frame.w; ++x) {
            ASSERT_EQ(frame_over_sprites.at(x, y), frame_alone.at(x, y)) << "at " << x << ", " << y;
        }
    }
    // Outside the frame the boss does show.
    EXPECT_GT(count(frame_over_sprites, {385, 56, 50, 100}, [](Color c) { return !is_black(c); }), 100);
    EXPECT_GT(count_like(frame_over_sprites, frame, colors::red), 20) << "the red frame caption";
    EXPECT_GT(count_of(frame_over_sprites, frame, colors::button_face), 500) << "the OK button";
}

TEST_F(FormPixels, LabelInHiddenFrameIsNotDrawn) {
    const Snapshot without_label = view.draw();
    form.Label4.Visible = true;
    EXPECT_EQ(view.draw().pixels, without_label.pixels);
    form.Frame1.Visible = true;
    EXPECT_GT(count_of(view.draw(), {136, 88, 233, 105}, colors::white), 200) << "the credits";
}

// The instructions wrap at the label's width into several lines, all inside the label.
TEST_F(FormPixels, LongCaptionWrapsWithinItsLabel) {
    form.Frame2.Visible = true;
    form.Label6.Visible = true;
    const Snapshot shot = view.draw();
    // Label6: (152, 272), 209 x 57, inside Frame2 at (120, 248).
    const auto white_rows = [&](int top, int rows) { return count_like(shot, {152, top, 209, rows}, colors::white); };
    EXPECT_GT(white_rows(272, 13), 30) << "first line";
    EXPECT_GT(white_rows(285, 13), 30) << "second line";
    EXPECT_GT(white_rows(298, 13), 30) << "third line";
    EXPECT_EQ(count_like(shot, {361, 272, 20, 57}, colors::white), 0) << "right of the label";
}

TEST_F(FormPixels, AutoSizeLabelFollowsItsCaption) {
    // lblPlayer spans rows 8 to 24; row 23 lies below its caption's letters.
    constexpr int row = 23;
    const auto white_in_row = [&](const Snapshot& shot) { return count_of(shot, {504, row, 88, 1}, colors::white); };
    form.lblPlayer.Caption = "Al";
    const PixelRect short_rect = view.drawn_rect(form.lblPlayer);
    const int short_white = white_in_row(view.draw());
    form.lblPlayer.Caption = "Alexandra";
    const PixelRect long_rect = view.drawn_rect(form.lblPlayer);
    const Snapshot long_shot = view.draw();
    EXPECT_EQ(long_rect.x, 504) << "the left edge stays";
    EXPECT_GT(long_rect.w, short_rect.w + 30);
    EXPECT_GT(white_in_row(long_shot), short_white + 20);
    EXPECT_EQ(long_shot.at(long_rect.x + long_rect.w - 1, row), colors::black) << "right border";
    EXPECT_EQ(long_shot.at(long_rect.x + long_rect.w - 2, row), colors::white) << "white back inside";

    form.lblPlayer.Caption = "";
    EXPECT_EQ(view.drawn_rect(form.lblPlayer).w, 2) << "only the border";
    EXPECT_EQ(white_in_row(view.draw()), 0);
}

// Only the part of the ship inside the window shows; nothing of it reappears elsewhere.
TEST_F(FormPixels, SpritePastTheEdgeIsClippedNotWrapped) {
    form.imgShip.Visible = false;
    const Snapshot without_ship = view.draw();
    form.imgShip.Visible = true;
    form.imgShip.Left = 8880 - 150;
    form.imgShip.Top = 7590 - 300;
    const Snapshot shot = view.draw();
    const PixelRect inside{582, 486, 10, 20};
    EXPECT_GT(count(shot, inside, [](Color c) { return !is_black(c); }), 0);
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            if (!inside.contains(x, y)) {
                ASSERT_EQ(shot.at(x, y), without_ship.at(x, y)) << "at " << x << ", " << y;
            }
        }
    }
}

TEST_F(FormPixels, MissingPictureDrawsNothing) {
    form.imgShip.picture = "pictures/none.jpg";
    EXPECT_EQ(count(view.draw(), {200, 432, 39, 70}, [](Color c) { return !is_black(c); }), 0);
}

}  // namespace
}  // namespace vex
