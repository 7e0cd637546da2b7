#include "tests/support/game_fixture.h"

#include <filesystem>
#include <tuple>

namespace vex {
namespace {

using testing::Texts;

// One line per control: "lblScore: Left=7560 Top=960 ...".
std::string by_control(const WindowState& state) {
    std::string lines, control;
    for (const auto& [key, value] : state) {
        const std::string name = key.substr(0, key.find('.'));
        if (name != control) {
            lines += (lines.empty() ? "" : "\n") + name + ":";
            control = name;
        }
        lines += " " + key.substr(name.size() + 1) + "=" + value;
    }
    return lines + "\n";
}

// The window as designed, once the record and then the name (taken as typed) are in: every
// control's place, look, caption, visibility and timer, the starfield running and nothing else.
TEST(Window, LoadedWindowIsTheDesignedOne) {
    testing::LoadedGame game("\"1500\",\"Cy\"\r\n", "  Bo b  ");
    EXPECT_EQ(changes(window_state(Form1(game.runtime)), game.runtime.moments().at(0).state),
              (Texts{"lblHiscoren=Cy", "lblHiscore=1500"}));
    EXPECT_EQ(game.runtime.moments().at(0).what, "Enter Your Name: Your Name Please");
    // Last, the controls shown: lblBady is visible, but in a hidden frame.
    std::string shown_controls = "shown:";
    for (const Control* control : game.form.controls()) {
        shown_controls += shown(*control) ? " " + control->name() : "";
    }
    const auto design = testing::file_bytes(std::filesystem::path(__FILE__).parent_path() / "loaded_window.txt");
    EXPECT_EQ(by_control(window_state(game.form)) + shown_controls + "\n", design.value_or("(no design)"));
}

// Shift state ignored: with no modifier, Shift, Ctrl, Alt or all three alike. Pressed from rest,
// released from both arrows held.
TEST(Keys, EveryKeyWithEachModifierPressedAndReleasedInAndOutOfAGame) {
    const Texts nothing{"after"}, left_on{"after | +tmLeft"}, right_on{"after | +tmRight"}, left_off{"after | -tmLeft"},
        right_off{"after | -tmRight"};
    const Texts new_game{"airraid.wav | intLevel=1",
                         "after | Form=Devi Vavaz Vexoids - LEVEL1, +tmBrit, lblAcc=0%, imgBrit4.Left=5920, imgBrit3.Left=4000, "
                         "imgBrit2.Left=2240, imgBrit1.Left=700, intSpeedLimit=150, lngBadyscore=5000"};
    const Texts fire{"pop2.wav | lblShots=1",
                     "after | +tmFire1, Line2.X1=3292.5, Line2.Y1=6480, Line2.X2=3292.5, Line2.Y2=6630, +Line2"};
    const std::vector<std::tuple<std::int16_t, Texts, Texts, Texts, Texts>> rows{
        // key; what it does pressed with no game, pressed in a game, released with no game, released in a game
        {keys::s, new_game, nothing, nothing, nothing},
        {keys::control, nothing, fire, nothing, nothing},
        {keys::left, nothing, left_on, left_off, left_off},
        {keys::right, nothing, right_on, right_off, right_off},
        {65 /* A */, nothing, nothing, nothing, nothing},
    };
    for (const auto& [key, down_out, down_in, up_out, up_in] : rows) {
        for (const std::int16_t shift : std::vector<std::int16_t>{0, 1, 2, 4, 7}) {  // none, Shift, Ctrl, Alt, all
            for (const bool in_game : {false, true}) {
                for (const bool down : {true, false}) {
                    SCOPED_TRACE(::testing::Message() << "key " << key << " shift " << shift << (down ? " down" : " up")
                                                      << (in_game ? " in a game" : " with no game"));
                    testing::LoadedGame game;
                    if (in_game) {
                        game.start_game();
                    }
                    game.form.tmLeft.Enabled = !down;
                    game.form.tmRight.Enabled = !down;
                    const Texts told = game.runtime.story([&, key = key] {
                        down ? game.runtime.key_down(key, shift) : game.runtime.key_up(key, shift);
                    });
                    EXPECT_EQ(told, down ? (in_game ? down_in : down_out) : (in_game ? up_in : up_out));
                }
            }
        }
    }
}

TEST(Keys, HoldingAnArrowSlidesTheShipToItsLimit) {
    const std::vector<std::tuple<std::int16_t, int, float>> rows{
        {keys::left, 29, 100},   {keys::left, 30, 0},     {keys::left, 31, -100}, {keys::left, 45, -100},
        {keys::right, 40, 7000}, {keys::right, 41, 7100}, {keys::right, 50, 7100},
    };
    for (const auto& [key, ticks, left] : rows) {
        SCOPED_TRACE(::testing::Message() << key << " held for " << ticks << " ticks");
        testing::RunningGame game;
        game.runtime.inject_random(std::vector<double>(4 * ticks, 0.0));  // the wave does not fall
        for (int tick = 0; tick < ticks; ++tick) {
            game.runtime.key_down(key);  // the key's automatic repeat
            game.runtime.advance(1);
        }
        EXPECT_EQ(game.form.imgShip.Left, left);
    }
}

}  // namespace
}  // namespace vex
