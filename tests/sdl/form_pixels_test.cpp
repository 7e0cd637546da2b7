// The real painter on the game's window, drawn offscreen with the software renderer.
#include "platform/layout/geometry.h"
#include "bench/probes/offscreen_view.h"

#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <functional>
#include <optional>
#include <utility>

namespace vex {
namespace {

// How many pixels (x, y) of `area` pass `test`.
int count(const PixelRect& area, const std::function<bool(int, int)>& test) {
    int n = 0;
    for (int y = area.y; y < area.y + area.h; ++y) {
        for (int x = area.x; x < area.x + area.w; ++x) {
            n += test(x, y) ? 1 : 0;
        }
    }
    return n;
}

// Pixels whose every channel lies within `tolerance` of the colour's (anti-aliased text needs some).
int count_of(const Snapshot& shot, const PixelRect& area, Color color, int tolerance = 0) {
    const auto channel = [](Color c, unsigned shift) { return static_cast<int>((c >> shift) & 0xFFU); };
    return count(area, [&](int x, int y) {
        return std::ranges::all_of(std::array{0U, 8U, 16U}, [&](unsigned shift) {
            return std::abs(channel(shot.at(x, y), shift) - channel(color, shift)) <= tolerance;
        });
    });
}

int drawn(const Snapshot& shot, const PixelRect& area) { return area.w * area.h - count_of(shot, area, colors::black); }

int differing(const Snapshot& a, const Snapshot& b, const PixelRect& area) {
    return count(area, [&](int x, int y) { return a.at(x, y) != b.at(x, y); });
}

class FormPixels : public ::testing::Test {
protected:
    testing::LoadedGame game;
    Form1& form = game.form;
    OffscreenView view{form, game.folder.path()};
};

// The four Vexoids in a row at Top 600 and the ship at (3000, 6480): each picture at its place,
// nothing of it left of or above its rectangle, and its silver transparent, on black as over a
// white label laid under the row (the label's border on row 39, just above the Vexoids). The
// border line, the shots and the score label at theirs. A sprite past the window's edge is cut there.
TEST_F(FormPixels, ShapesAtTheirPlacesWithSilverTransparentAndCutAtTheEdge) {
    form.Line2.Visible = form.Line3.Visible = true;
    const Snapshot shot = view.draw();
    form.lblforScore.Left = 0;
    form.lblforScore.Top = 585;
    form.lblforScore.Width = 7440;
    form.lblforScore.Caption = "";
    const Snapshot over_white = view.draw();
    for (const auto& [name, a] : {std::pair{"brit1", PixelRect{48, 40, 61, 70}}, {"brit2", {144, 40, 70, 60}},
                                  {"brit3", {256, 40, 42, 80}}, {"brit4", {344, 40, 51, 72}},
                                  {"ship", {200, 432, 39, 70}}}) {
        SCOPED_TRACE(name);
        EXPECT_GT(drawn(shot, a), a.w * a.h / 5);
        EXPECT_EQ(count_of(shot, a, colors::silver) + count_of(over_white, a, colors::silver), 0);
        EXPECT_EQ(drawn(shot, {a.x - 1, a.y, 1, a.h}) + drawn(shot, {a.x, a.y - 1, a.w, 1}), 0) << "left of or above";
        EXPECT_TRUE(a.y != 40 || over_white.at(a.x, a.y) == colors::white) << "the label under a transparent corner";
    }
    EXPECT_EQ(count_of(shot, {496, 0, 1, 504}, colors::white), 504) << "the border line at x 496";
    EXPECT_EQ(drawn(shot, {495, 300, 1, 100}) + drawn(shot, {497, 300, 1, 100}), 0) << "one pixel wide";
    // Shots three pixels wide: Line2 yellow at x 48, Line3 lime at x 64, Line4 hidden at x 80.
    EXPECT_EQ(count_of(shot, {47, 250, 3, 20}, colors::yellow), 60);
    EXPECT_EQ(count_of(shot, {63, 250, 3, 20}, colors::lime), 60);
    EXPECT_EQ(drawn(shot, {46, 250, 1, 20}) + drawn(shot, {50, 250, 1, 20}) + drawn(shot, {79, 250, 3, 20}), 0);
    // lblScore (504, 64, 81 x 25): a black border, a grey back and a blue "0" in its middle third.
    EXPECT_EQ(count_of(shot, {504, 64, 81, 1}, colors::black) + count_of(shot, {504, 64, 1, 25}, colors::black) +
                  count_of(shot, {584, 64, 1, 25}, colors::black), 81 + 25 + 25);
    EXPECT_EQ(count_of(shot, {506, 66, 1, 21}, colors::grey) + count_of(shot, {582, 66, 1, 21}, colors::grey), 42);
    EXPECT_GT(count_of(shot, {531, 64, 27, 25}, colors::blue), 10);
    EXPECT_EQ(count_of(shot, {504, 64, 27, 25}, colors::blue) + count_of(shot, {558, 64, 27, 25}, colors::blue), 0);
    form.imgShip.Visible = false;
    const Snapshot without_ship = view.draw();
    form.imgShip.Visible = true;
    testing::place(form.imgShip, 8880 - 150, 7590 - 300);
    const Snapshot past_the_corner = view.draw();
    const PixelRect corner{582, 486, 10, 20};
    EXPECT_GT(drawn(past_the_corner, corner), 0);
    EXPECT_EQ(differing(past_the_corner, without_ship, {0, 0, 592, 506}), differing(past_the_corner, without_ship, corner))
        << "the ship past the window's corner shows only inside it";
}

// Labels show when they and their frame are visible; frames lie over the sprites; captions wrap.
TEST_F(FormPixels, LabelsShowWithTheirFramesOverTheSpritesAndCaptionsWrap) {
    const Snapshot start = view.draw();
    EXPECT_EQ(count_of(start, {40, 136, 417, 81}, colors::red), 0) << "GAME OVER hidden";
    form.Label4.Visible = true;
    EXPECT_EQ(view.draw().pixels, start.pixels) << "a label in a hidden frame";
    form.Frame1.Visible = form.Label5.Visible = true;
    const Snapshot frame_alone = view.draw();
    EXPECT_GT(count_of(frame_alone, {136, 88, 233, 105}, colors::white), 200) << "the credits";
    // Frames lie over everything: the ship and the boss under the About panel leave no trace in it.
    testing::place(form.imgShip, 3300, 2040);
    testing::place(form.imgBady, 4800, 840);
    form.imgBady.Visible = true;
    const Snapshot shot = view.draw();
    const PixelRect frame{120, 56, 265, 185};
    EXPECT_EQ(differing(shot, frame_alone, frame), 0);
    EXPECT_GT(drawn(shot, {385, 56, 50, 100}), 100) << "the boss beside the frame";
    EXPECT_GT(count_of(shot, frame, colors::red, 100), 20) << "the red frame caption";
    EXPECT_GT(count_of(shot, frame, colors::button_face), 500) << "the OK button";
    // The instructions, Label6 at (152, 272, 209 x 57), wrap onto three lines inside the label.
    form.Frame2.Visible = form.Label6.Visible = true;
    const Snapshot instructions = view.draw();
    for (const int line_top : {272, 285, 298}) {
        EXPECT_GT(count_of(instructions, {152, line_top, 209, 13}, colors::white, 100), 30) << "line at " << line_top;
    }
    EXPECT_EQ(count_of(instructions, {361, 272, 20, 57}, colors::white, 100), 0) << "right of the label";
}

TEST_F(FormPixels, AutoSizeLabelGrowsWithItsCaptionAndShrinksToItsBorder) {
    // lblPlayer spans rows 8 to 24; row 23 lies below its caption's letters.
    const auto white_in_row_23 = [&] { return count_of(view.draw(), {504, 23, 88, 1}, colors::white); };
    form.lblPlayer.Caption = "Al";
    const PixelRect short_rect = view.drawn_rect(form.lblPlayer);
    const int short_white = white_in_row_23();
    form.lblPlayer.Caption = "Alexandra";
    const PixelRect long_rect = view.drawn_rect(form.lblPlayer);
    const Snapshot shot = view.draw();
    EXPECT_EQ(long_rect.x, 504);
    EXPECT_GT(long_rect.w, short_rect.w + 30);
    EXPECT_GT(white_in_row_23(), short_white + 20);
    EXPECT_EQ(shot.at(long_rect.x + long_rect.w - 1, 23), colors::black) << "right border";
    EXPECT_EQ(shot.at(long_rect.x + long_rect.w - 2, 23), colors::white) << "white back inside";
    form.lblPlayer.Caption = "";
    EXPECT_EQ(view.drawn_rect(form.lblPlayer).w, 2);
    EXPECT_EQ(white_in_row_23(), 0);
}

// Every caption of the window fits its label at the label's own size, in the face fontconfig
// found: drawn in its label it keeps every pixel it has in a label grown by 40 pixels on each side
// (only downward for the two texts that wrap by design), and a caption not meant to wrap stays
// on its first line. A caption's pixels are those that change when it is emptied.
TEST_F(FormPixels, EveryCaptionFitsItsLabel) {
    for (Control* control : form.controls()) {
        if (control->kind() != ControlKind::Label || static_cast<Label*>(control)->auto_size) {
            continue;  // an auto-size label takes the width of its caption
        }
        Label& label = *static_cast<Label*>(control);
        SCOPED_TRACE(label.name() + " \"" + label.Caption + "\"");
        const bool wraps = label.name() == "Label4" || label.name() == "Label6";
        const auto inside = [&] {
            const PixelRect rect = view.drawn_rect(label);
            const int border = label.border ? 1 : 0;
            return intersect(label.container != nullptr ? rect_of(*label.container) : PixelRect{0, 0, 592, 506},
                             {rect.x + border, rect.y + border, rect.w - 2 * border, rect.h - 2 * border});
        };
        const auto caption_pixels = [&](const PixelRect& area) {
            const Snapshot with_caption = view.draw();
            const std::string caption = std::exchange(label.Caption, "");
            const Snapshot without = view.draw();
            label.Caption = caption;
            return differing(with_caption, without, area);
        };
        const bool was_visible = label.Visible;
        label.Visible = true;
        if (label.container != nullptr) {
            label.container->Visible = true;
        }
        const PixelRect in = inside();
        const int in_label = caption_pixels(in), second_line = in.y + font_pixels(label.font.points) * 5 / 4;
        EXPECT_GT(in_label, 0);
        EXPECT_TRUE(wraps || second_line >= in.y + in.h || caption_pixels({in.x, second_line, in.w, in.y + in.h - second_line}) == 0)
            << "wrapped onto a second line";
        label.Height += 600;
        if (!wraps) {
            label.Left -= 600;
            label.Width += 1200;
        }
        EXPECT_EQ(caption_pixels(inside()), in_label) << "pixels of the caption cut off";
        label.Visible = was_visible;
        if (label.container != nullptr) {
            label.container->Visible = false;
        }
    }
}

// However long a caption is, it is measured and rendered once per change, only as far as its
// label shows it; one that cannot be rendered is not tried again on the next frames.
TEST_F(FormPixels, CaptionsAreMeasuredAndRenderedOncePerChange) {
    std::string spaced;
    for (int i = 0; i < 50000; ++i) {
        spaced += "ab ";
    }
    const std::vector<std::pair<Label*, std::string>> rows{
        {&form.lblHiscoren, std::string(100000, 'W')}, {&form.lblHiscoren, std::string(5 << 20, 'x')},
        {&form.lblScore, spaced}, {&form.lblHiscoren, "\u200B"} /* nothing to render */, {&form.lblHiscoren, "Ann"}};
    view.draw();
    for (const auto& [label, caption] : rows) {
        SCOPED_TRACE(label->name() + " of " + std::to_string(caption.size()) + " bytes");
        label->Caption = caption;
        const std::uint64_t before = view.text_work();
        view.draw();
        const std::uint64_t changed = view.text_work() - before;
        view.draw();
        view.draw();
        EXPECT_GE(changed, 1U);
        EXPECT_LE(changed, 200U);
        EXPECT_EQ(view.text_work() - before - changed, 0U) << "work on frames without a change";
    }
}

// A frame paints only what changed: a view that drew every step before shows, after each change,
// what a new view of the same window shows, at x1, at x2 and centred in a full screen.
TEST(FormRepaint, EveryChangeIsPaintedAtEveryScale) {
    const std::vector<std::pair<const char*, std::function<void(Form1&)>>> changes{
        {"shown", [](Form1& f) { f.Label8.Visible = true; }},
        {"caption", [](Form1& f) { f.lblScore.Caption = "12345"; }},
        {"auto-size caption", [](Form1& f) { f.lblPlayer.Caption = "Alexandra"; }},
        {"frame shown", [](Form1& f) { f.Frame1.Visible = f.Label4.Visible = f.imgBady.Visible = true; }},
        {"geometry", [](Form1& f) { f.Frame1.Left = 600; f.lblforScore.Top = 0; }},
        {"colour", [](Form1& f) { f.lblforLives.back_color = colors::red; }},
        {"line moved", [](Form1& f) { f.Line5.Y1 = f.Line5.Y2 = 300; f.Line5.X2 = 4000; }},
        {"thick lines shown", [](Form1& f) { f.Line2.Visible = f.Line4.Visible = true; }},
        {"sprite moved under a label", [](Form1& f) { f.imgShip.Left = 7400; f.imgShip.Top = 600; }},
        {"sprite's picture", [](Form1& f) { f.imgBrit1.picture = f.imgBrit2.picture; }},
        {"hidden", [](Form1& f) { f.Label8.Visible = f.Frame1.Visible = f.imgShip.Visible = false; }},
    };
    for (const std::optional<PixelSize> output : {std::optional<PixelSize>{}, std::optional(PixelSize{1184, 1012}),
                                                  std::optional(PixelSize{1920, 1080})}) {
        testing::LoadedGame game;
        OffscreenView view{game.form, game.folder.path(), output};
        view.draw();
        for (std::size_t step = 0; step < changes.size(); ++step) {
            SCOPED_TRACE(::testing::Message() << changes[step].first << " on " << (output ? output->w : 592));
            changes[step].second(game.form);
            testing::LoadedGame fresh;
            for (std::size_t i = 0; i <= step; ++i) {
                changes[i].second(fresh.form);
            }
            const Snapshot painted = view.draw();
            EXPECT_EQ(differing(painted, OffscreenView(fresh.form, fresh.folder.path(), output).draw(),
                                {0, 0, painted.width, painted.height}), 0);
        }
    }
}

// At x2 every pixel of shapes and pictures is a 2 x 2 block of the x1 colour; text is drawn
// afresh at twice the size, so inside a caption many blocks mix colours, which an enlarged x1
// caption never does.
TEST_F(FormPixels, ScaledPicturesAreSharpBlocksAndTextIsRedrawn) {
    form.Label8.Visible = true;
    const Snapshot x1 = view.draw();
    const Snapshot x2 = OffscreenView(form, game.folder.path(), PixelSize{1184, 1012}).draw();
    const auto block_of = [&](int x, int y) {
        return std::ranges::all_of(std::array{0, 1, 2, 3}, [&](int i) { return x2.at(2 * x + i % 2, 2 * y + i / 2) == x1.at(x, y); });
    };
    for (const PixelRect& shapes : {PixelRect{48, 40, 61, 70}, {200, 432, 39, 70}, {496, 0, 1, 504}, {504, 64, 81, 1}}) {
        EXPECT_EQ(count(shapes, block_of), shapes.w * shapes.h) << shapes.x << "," << shapes.y;
    }
    const auto mixed_block = [&](int x, int y) {
        return x2.at(2 * x, 2 * y) != x2.at(2 * x + 1, 2 * y) || x2.at(2 * x, 2 * y) != x2.at(2 * x, 2 * y + 1);
    };
    EXPECT_GT(count({40, 136, 417, 81}, mixed_block), 300) << "GAME OVER drawn afresh";
    const int red_x1 = count_of(x1, {40, 136, 417, 81}, colors::red);
    const int red_x2 = count_of(x2, {80, 272, 834, 162}, colors::red);
    EXPECT_TRUE(red_x2 > 3 * red_x1 && red_x2 < 5 * red_x1) << red_x1 << " red pixels at x1, " << red_x2 << " at x2";
    EXPECT_GT(count({504, 8, 81, 80}, mixed_block), 20) << "the side panel's captions";
}

}  // namespace
}  // namespace vex
