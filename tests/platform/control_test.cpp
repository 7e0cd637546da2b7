// The control model: each control reached as its own kind, and when a control shows.
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <tuple>
#include <utility>

namespace vex {
namespace {

// Every control of the game's window, const or not, reaches the visitor's overload for its kind:
// 6 pictures, 25 labels, 10 lines, 3 frames and 8 timers.
TEST(Controls, EachIsVisitedAsItsOwnKind) {
    testing::LoadedGame game;
    const auto kind_of = Overloaded{[](const Image&) { return "image"; }, [](const Label&) { return "label"; },
                                    [](const Line&) { return "line"; }, [](const Frame&) { return "frame"; },
                                    [](const Timer&) { return "timer"; }};
    const auto writable_kind_of = Overloaded{[](Image&) { return "image"; }, [](Label&) { return "label"; },
                                             [](Line&) { return "line"; }, [](Frame&) { return "frame"; },
                                             [](Timer&) { return "timer"; }};
    std::map<std::string, int> counts;
    std::map<std::string, std::string> kinds;
    for (Control* control : game.form.controls()) {
        const std::string kind = visit_control(std::as_const(*control), kind_of);
        EXPECT_EQ(visit_control(*control, writable_kind_of), kind) << control->name();
        ++counts[kind];
        kinds[control->name()] = kind;
    }
    EXPECT_EQ(counts, (std::map<std::string, int>{{"frame", 3}, {"image", 6}, {"label", 25}, {"line", 10}, {"timer", 8}}));
    for (const auto& [name, kind] : {std::pair{"imgShip", "image"}, {"lblScore", "label"}, {"Line5", "line"},
                                     {"Frame2", "frame"}, {"tmBrit", "timer"}}) {
        EXPECT_EQ(kinds[name], kind) << name;
    }
}

// A control shows while it and its frame are visible; a timer never shows, even enabled.
TEST(Controls, ShownWithItsFrameAndNeverATimer) {
    const std::tuple<const char*, std::function<void(Form1&)>, std::function<const Control&(Form1&)>, bool> cases[] = {
        {"label in a hidden frame", [](Form1& f) { f.Label5.Visible = true; }, [](Form1& f) -> Control& { return f.Label5; },
         false},
        {"label in a shown frame", [](Form1& f) { f.Label5.Visible = f.Frame1.Visible = true; },
         [](Form1& f) -> Control& { return f.Label5; }, true},
        {"hidden label in a shown frame", [](Form1& f) { f.Frame1.Visible = true; },
         [](Form1& f) -> Control& { return f.Label5; }, false},
        {"frame shown", [](Form1& f) { f.Frame1.Visible = true; }, [](Form1& f) -> Control& { return f.Frame1; }, true},
        {"label outside frames", [](Form1&) {}, [](Form1& f) -> Control& { return f.lblScore; }, true},
        {"hidden line", [](Form1&) {}, [](Form1& f) -> Control& { return f.Line2; }, false},
        {"shown line", [](Form1& f) { f.Line2.Visible = true; }, [](Form1& f) -> Control& { return f.Line2; }, true},
        {"hidden picture", [](Form1&) {}, [](Form1& f) -> Control& { return f.imgBady; }, false},
        {"enabled timer", [](Form1&) {}, [](Form1& f) -> Control& { return f.tmSpace; }, false}};
    for (const auto& [name, arrange, control, is_shown] : cases) {
        testing::LoadedGame game;
        arrange(game.form);
        EXPECT_EQ(shown(control(game.form)), is_shown) << name;
    }
}

}  // namespace
}  // namespace vex
