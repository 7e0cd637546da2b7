// The game window's way back to its own size and place, step by step as window managers report it.
#include "platform/sdl/desktop/window_placement.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace vex {
namespace {

// One thing the window manager or the player does, and what the placement must answer.
struct EnterFullScreen {};
struct LeaveFullScreen {
    bool must_resize;
};
struct SizeReported {
    bool own;
    bool ignored;
};
struct SentAway {};
struct BackAtOwnSize {
    bool own;
    std::optional<PixelPoint> put_at;
};
struct Moved {
    PixelPoint at;
    bool own;
};
using Step = std::variant<EnterFullScreen, LeaveFullScreen, SizeReported, SentAway, BackAtOwnSize, Moved>;

struct Scenario {
    std::string name;
    bool opens_full_screen;
    std::vector<Step> steps;
};

TEST(WindowPlacement, FollowsTheWindowManagerBackToTheWindowsOwnSizeAndPlace) {
    const std::vector<Scenario> scenarios = {
        {"opened in full screen: leaving it gives the window its own size, once",
         true,
         {LeaveFullScreen{true}, SizeReported{true, false}, EnterFullScreen{}, LeaveFullScreen{false}}},
        {"opened in a window: steps back from full screen are the window manager's until its own size",
         false,
         {EnterFullScreen{}, LeaveFullScreen{false}, SizeReported{false, true}, SizeReported{false, true},
          SizeReported{true, true}, SizeReported{false, false}}},
        {"a window put back at its own size returns where the player kept it",
         false,
         {Moved{{40, 50}, true}, SentAway{}, Moved{{0, 0}, true}, BackAtOwnSize{false, std::nullopt},
          BackAtOwnSize{true, PixelPoint{40, 50}}, BackAtOwnSize{true, std::nullopt}}},
        {"moves at a forced size or while leaving full screen are not the player's place",
         false,
         {Moved{{10, 20}, true}, Moved{{300, 300}, false}, EnterFullScreen{}, LeaveFullScreen{false},
          Moved{{5, 5}, true}, SizeReported{true, true}, SentAway{}, BackAtOwnSize{true, PixelPoint{10, 20}}}},
        {"sent away before the player placed it: back at its own size, nowhere to go",
         false,
         {SentAway{}, BackAtOwnSize{true, std::nullopt}, Moved{{7, 8}, true}, SentAway{},
          BackAtOwnSize{true, PixelPoint{7, 8}}}},
    };
    for (const Scenario& scenario : scenarios) {
        WindowPlacement placement(scenario.opens_full_screen);
        int index = 0;
        for (const Step& step : scenario.steps) {
            SCOPED_TRACE(scenario.name + ", step " + std::to_string(index++));
            if (std::holds_alternative<EnterFullScreen>(step)) {
                placement.full_screen_entered();
            } else if (const auto* leave = std::get_if<LeaveFullScreen>(&step)) {
                EXPECT_EQ(placement.full_screen_left(), leave->must_resize);
            } else if (const auto* size = std::get_if<SizeReported>(&step)) {
                EXPECT_EQ(placement.size_reported(size->own), size->ignored);
            } else if (std::holds_alternative<SentAway>(step)) {
                placement.sent_away();
            } else if (const auto* back = std::get_if<BackAtOwnSize>(&step)) {
                EXPECT_EQ(placement.back_home(back->own), back->put_at);
            } else if (const auto* moved = std::get_if<Moved>(&step)) {
                placement.moved(moved->at, moved->own);
            }
        }
    }
}

}  // namespace
}  // namespace vex
