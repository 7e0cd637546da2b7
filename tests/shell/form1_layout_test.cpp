#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vex {
namespace {

// The window as it is created, then its 52 controls in control order.
const std::vector<std::string> design_layout{
    R"(window "Devi Vavaz Vexoids From Hell")",
    R"(frame frmBady 6120 0 1215 735 "Hits Needed" hidden)",
    R"(label lblBady in frmBady 240 240 735 375 "50" shown)",
    "timer tmBady 10 ms off",
    "timer tmRight 1 ms off",
    "timer tmLeft 1 ms off",
    "timer tmSpace 1 ms on",
    R"(frame Frame1 1800 840 3975 2775 "About Devi Vavaz Vexoids" hidden)",
    R"(label Label5 in Frame1 1680 2160 735 375 "OK" hidden)",
    R"(label Label4 in Frame1 240 480 3495 1575 "CREDITS" hidden)",
    "timer tmBrit 10 ms off",
    "timer tmFire3 1 ms off",
    "timer tmFire2 1 ms off",
    "timer tmFire1 1 ms off",
    R"(frame Frame2 1800 3720 3975 1815 "Game Instructions" hidden)",
    R"(label Label6 in Frame2 480 360 3135 855 "To start the game press " S " Move the spaceship around with the )"
    R"(arrows, and shoot with ctrl. Try not to let the Evil Vexoids hit your spaceship" hidden)",
    R"(label Label7 in Frame2 1560 1320 735 375 "OK" hidden)",
    R"(label Label8 600 2040 6255 1215 "GAME OVER" hidden)",
    R"(label lblAcc 7680 6000 1095 375 "0" shown)",
    R"(label Label14 7680 5640 1095 375 "Accuracy" shown)",
    R"(label lblHits 7680 5160 975 375 "0" shown)",
    R"(label Label12 7680 4920 975 255 "Hits" shown)",
    R"(label lblShots 7680 4440 975 375 "0" shown)",
    R"(label Label10 7680 4200 975 255 "Shots" shown)",
    R"(label Label9 7680 2280 975 375 "New Player" shown)",
    "line Line10 5520 6120 5520 6220 shown",
    "line Line9 6600 1920 6600 2020 shown",
    "line Line8 480 360 480 460 shown",
    "line Line7 4800 840 4800 940 shown",
    "line Line6 3240 1920 3240 2020 shown",
    "line Line5 1800 4200 1800 4300 shown",
    R"(label Label3 7680 3600 975 375 "Exit" shown)",
    R"(label Label2 7680 3240 975 255 "About" shown)",
    R"(label Label1 7680 2760 975 375 "Instructions" shown)",
    R"(label lblHiscoren 7560 7200 180 255 "0" shown)",
    R"(label lblHiscore 7560 6840 1215 375 "0" shown)",
    R"(label lblforHiscore 7560 6480 1215 375 "Hi Score:" shown)",
    R"(label lblLives 7560 1800 1215 375 "2" shown)",
    R"(label lblforLives 7560 1440 1215 375 "Lives:" shown)",
    R"(label lblScore 7560 960 1215 375 "0" shown)",
    R"(label lblforScore 7560 600 1215 375 "Score:" shown)",
    R"(label lblPlayer 7560 120 585 255 "player" shown)",
    "line Line1 7440 7560 7440 0 shown",
    "image imgBrit4 5160 600 765 1080 shown",
    "image imgBrit3 3840 600 630 1200 shown",
    "image imgBrit2 2160 600 1050 900 shown",
    "image imgBrit1 720 600 915 1050 shown",
    "line Line4 1200 3720 1200 4080 hidden",
    "line Line3 960 3720 960 4080 hidden",
    "line Line2 720 3720 720 4080 hidden",
    "image imgShip 3000 6480 585 1050 shown",
    "image imgBady 120 5160 2460 1995 hidden",
    R"(label lblLevel 120 120 1095 255 "LEVEL: 1" shown)",
};

TEST(Form1Layout, WindowStartsAsDesigned) {
    HeadlessRuntime runtime("/nonexistent");
    const Form1 form(runtime);
    auto layout = testing::snapshot(form);
    ASSERT_EQ(layout.size(), design_layout.size()) << "the window and its 52 controls";
    // The credit line's wording is free; only that it is there is fixed.
    ASSERT_NE(form.Label4.Caption, "");
    const auto credits = layout[9].find(form.Label4.Caption);
    ASSERT_NE(credits, std::string::npos);
    layout[9].replace(credits, form.Label4.Caption.size(), "CREDITS");
    for (std::size_t i = 0; i < layout.size(); ++i) {
        EXPECT_EQ(layout[i], design_layout[i]) << "control #" << i;
    }
    EXPECT_EQ(form.client_width(), 8880);
    EXPECT_EQ(form.client_height(), 7590);
    EXPECT_EQ(form.intSpeedLimit, 0);
    EXPECT_EQ(form.intLevel, 0);
    EXPECT_EQ(form.lngBadyscore, 0);
    EXPECT_EQ(form.intSpeedScore, 0);
}

}  // namespace
}  // namespace vex
