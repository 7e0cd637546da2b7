#include "platform/headless/headless_runtime.h"
#include "shell/form1.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace vex {
namespace {

using Quad = std::array<float, 4>;

// Left, Top, Width, Height; a line's X1, Y1, X2, Y2; a timer's interval and enabled flag.
Quad geometry(const Control& c) {
    switch (c.kind()) {
        case ControlKind::Image: {
            const auto& i = static_cast<const Image&>(c);
            return {i.Left, i.Top, i.Width, i.Height};
        }
        case ControlKind::Label: {
            const auto& l = static_cast<const Label&>(c);
            return {l.Left, l.Top, l.Width, l.Height};
        }
        case ControlKind::Frame: {
            const auto& f = static_cast<const Frame&>(c);
            return {f.Left, f.Top, f.Width, f.Height};
        }
        case ControlKind::Line: {
            const auto& l = static_cast<const Line&>(c);
            return {l.X1, l.Y1, l.X2, l.Y2};
        }
        case ControlKind::Timer: {
            const auto& t = static_cast<const Timer&>(c);
            return {static_cast<float>(t.interval_ms()), t.Enabled ? 1.0F : 0.0F, 0, 0};
        }
    }
    return {};
}

bool visible(const Control& c) {
    switch (c.kind()) {
        case ControlKind::Image: return static_cast<const Image&>(c).Visible;
        case ControlKind::Label: return static_cast<const Label&>(c).Visible;
        case ControlKind::Frame: return static_cast<const Frame&>(c).Visible;
        case ControlKind::Line: return static_cast<const Line&>(c).Visible;
        case ControlKind::Timer: return false;
    }
    return false;
}

std::string caption(const Control& c) {
    if (c.kind() == ControlKind::Label) {
        return static_cast<const Label&>(c).Caption;
    }
    return c.kind() == ControlKind::Frame ? static_cast<const Frame&>(c).Caption : "";
}

constexpr auto F = ControlKind::Frame, L = ControlKind::Label, T = ControlKind::Timer, N = ControlKind::Line,
               I = ControlKind::Image;

struct Row {
    const char* name;
    ControlKind kind;
    const char* container;
    Quad geometry;
    const char* caption;  // nullptr: a free text
    bool visible;
};

const char* const instructions =
    "To start the game press \" S \" Move the spaceship around with the arrows, and shoot with ctrl. Try not to let "
    "the Evil Vexoids hit your spaceship";

// The window as it is created, in control order.
const std::vector<Row> design_table{
    {"frmBady", F, "", {6120, 0, 1215, 735}, "Hits Needed", false},
    {"lblBady", L, "frmBady", {240, 240, 735, 375}, "50", true},
    {"tmBady", T, "", {10, 0}, "", false},
    {"tmRight", T, "", {1, 0}, "", false},
    {"tmLeft", T, "", {1, 0}, "", false},
    {"tmSpace", T, "", {1, 1}, "", false},
    {"Frame1", F, "", {1800, 840, 3975, 2775}, "About Devi Vavaz Vexoids", false},
    {"Label5", L, "Frame1", {1680, 2160, 735, 375}, "OK", false},
    {"Label4", L, "Frame1", {240, 480, 3495, 1575}, nullptr, false},
    {"tmBrit", T, "", {10, 0}, "", false},
    {"tmFire3", T, "", {1, 0}, "", false},
    {"tmFire2", T, "", {1, 0}, "", false},
    {"tmFire1", T, "", {1, 0}, "", false},
    {"Frame2", F, "", {1800, 3720, 3975, 1815}, "Game Instructions", false},
    {"Label6", L, "Frame2", {480, 360, 3135, 855}, instructions, false},
    {"Label7", L, "Frame2", {1560, 1320, 735, 375}, "OK", false},
    {"Label8", L, "", {600, 2040, 6255, 1215}, "GAME OVER", false},
    {"lblAcc", L, "", {7680, 6000, 1095, 375}, "0", true},
    {"Label14", L, "", {7680, 5640, 1095, 375}, "Accuracy", true},
    {"lblHits", L, "", {7680, 5160, 975, 375}, "0", true},
    {"Label12", L, "", {7680, 4920, 975, 255}, "Hits", true},
    {"lblShots", L, "", {7680, 4440, 975, 375}, "0", true},
    {"Label10", L, "", {7680, 4200, 975, 255}, "Shots", true},
    {"Label9", L, "", {7680, 2280, 975, 375}, "New Player", true},
    {"Line10", N, "", {5520, 6120, 5520, 6220}, "", true},
    {"Line9", N, "", {6600, 1920, 6600, 2020}, "", true},
    {"Line8", N, "", {480, 360, 480, 460}, "", true},
    {"Line7", N, "", {4800, 840, 4800, 940}, "", true},
    {"Line6", N, "", {3240, 1920, 3240, 2020}, "", true},
    {"Line5", N, "", {1800, 4200, 1800, 4300}, "", true},
    {"Label3", L, "", {7680, 3600, 975, 375}, "Exit", true},
    {"Label2", L, "", {7680, 3240, 975, 255}, "About", true},
    {"Label1", L, "", {7680, 2760, 975, 375}, "Instructions", true},
    {"lblHiscoren", L, "", {7560, 7200, 180, 255}, "0", true},
    {"lblHiscore", L, "", {7560, 6840, 1215, 375}, "0", true},
    {"lblforHiscore", L, "", {7560, 6480, 1215, 375}, "Hi Score:", true},
    {"lblLives", L, "", {7560, 1800, 1215, 375}, "2", true},
    {"lblforLives", L, "", {7560, 1440, 1215, 375}, "Lives:", true},
    {"lblScore", L, "", {7560, 960, 1215, 375}, "0", true},
    {"lblforScore", L, "", {7560, 600, 1215, 375}, "Score:", true},
    {"lblPlayer", L, "", {7560, 120, 585, 255}, "player", true},
    {"Line1", N, "", {7440, 7560, 7440, 0}, "", true},
    {"imgBrit4", I, "", {5160, 600, 765, 1080}, "", true},
    {"imgBrit3", I, "", {3840, 600, 630, 1200}, "", true},
    {"imgBrit2", I, "", {2160, 600, 1050, 900}, "", true},
    {"imgBrit1", I, "", {720, 600, 915, 1050}, "", true},
    {"Line4", N, "", {1200, 3720, 1200, 4080}, "", false},
    {"Line3", N, "", {960, 3720, 960, 4080}, "", false},
    {"Line2", N, "", {720, 3720, 720, 4080}, "", false},
    {"imgShip", I, "", {3000, 6480, 585, 1050}, "", true},
    {"imgBady", I, "", {120, 5160, 2460, 1995}, "", false},
    {"lblLevel", L, "", {120, 120, 1095, 255}, "LEVEL: 1", true},
};

TEST(Form1Layout, EveryControlStartsAsDesignedInControlOrder) {
    HeadlessRuntime runtime("/nonexistent");
    const Form1 form(runtime);
    EXPECT_EQ(form.Caption, "Devi Vavaz Vexoids From Hell");
    EXPECT_EQ(form.client_width(), 8880);
    EXPECT_EQ(form.client_height(), 7590);
    ASSERT_EQ(form.controls().size(), design_table.size());
    for (std::size_t i = 0; i < design_table.size(); ++i) {
        const Row& row = design_table[i];
        const Control& control = *form.controls()[i];
        SCOPED_TRACE(std::to_string(i + 1) + " " + row.name);
        EXPECT_EQ(control.name(), row.name);
        EXPECT_EQ(control.kind(), row.kind);
        EXPECT_EQ(control.container ? control.container->name() : "", row.container);
        EXPECT_EQ(geometry(control), row.geometry);
        if (row.caption != nullptr) {
            EXPECT_EQ(caption(control), row.caption);
        }
        EXPECT_EQ(visible(control), row.visible);
    }
}

TEST(Form1Layout, GameVariablesStartAtZero) {
    HeadlessRuntime runtime("/nonexistent");
    const Form1 form(runtime);
    EXPECT_EQ(form.intSpeedLimit, 0);
    EXPECT_EQ(form.intLevel, 0);
    EXPECT_EQ(form.lngBadyscore, 0);
    EXPECT_EQ(form.intSpeedScore, 0);
}

}  // namespace
}  // namespace vex
