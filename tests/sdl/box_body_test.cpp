// What the boxes' bodies make of keys and buttons, and where they put their buttons.
#include "platform/sdl/boxes/input_body.h"
#include "platform/sdl/boxes/message_body.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

namespace vex {
namespace {

struct Typed {
    const char* text;
};
struct Key {
    SDL_Keycode key;
};
struct Clicked {
    std::size_t button;
};
using Input = std::variant<Typed, Key, Clicked>;

struct InputScenario {
    std::string name;
    std::string default_text;
    std::vector<Input> inputs;  // the last one answers the box, none before it
    std::string answer;
};

TEST(InputBody, KeysAndButtonsEditAndAnswer) {
    const std::vector<InputScenario> scenarios = {
        {"typed after the default, Enter", "Jo", {Typed{"h"}, Typed{"n"}, Key{SDLK_RETURN}}, "John"},
        {"Backspace erases, keypad Enter", "nobody", {Key{SDLK_BACKSPACE}, Key{SDLK_BACKSPACE}, Key{SDLK_KP_ENTER}},
         "nobo"},
        {"Backspace takes a whole character", "x", {Typed{"\xC3\xA9"}, Key{SDLK_BACKSPACE}, Clicked{0}}, "x"},
        {"Backspace on nothing", "", {Key{SDLK_BACKSPACE}, Typed{"A"}, Clicked{0}}, "A"},
        {"other keys leave it open", "Ann", {Key{SDLK_a}, Key{SDLK_SPACE}, Key{SDLK_LEFT}, Key{SDLK_RETURN}}, "Ann"},
        {"Escape cancels", "Ann", {Typed{"e"}, Key{SDLK_ESCAPE}}, ""},
        {"Cancel cancels", "Ann", {Clicked{1}}, ""},
    };
    for (const InputScenario& scenario : scenarios) {
        SCOPED_TRACE(scenario.name);
        InputBody body("Your Name Please", scenario.default_text);
        for (std::size_t i = 0; i < scenario.inputs.size(); ++i) {
            const Input& input = scenario.inputs[i];
            bool answered = false;
            if (const auto* typed = std::get_if<Typed>(&input)) {
                body.text_typed(typed->text);
            } else if (const auto* key = std::get_if<Key>(&input)) {
                answered = body.key_pressed(key->key);
            } else {
                answered = body.button_clicked(std::get<Clicked>(input).button);
            }
            EXPECT_EQ(answered, i + 1 == scenario.inputs.size()) << "input " << i;
        }
        EXPECT_EQ(body.answer(), scenario.answer);
    }
}

// Every button lies inside its box and clear of the others and of the edit field's row.
void expect_buttons_inside(const BoxBody& body, int lowest_button_bottom) {
    const PixelSize size = body.size();
    const auto buttons = body.buttons();
    ASSERT_FALSE(buttons.empty());
    EXPECT_EQ(buttons.front().caption, "OK");
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const PixelRect& area = buttons[i].area;
        EXPECT_GE(area.x, 0);
        EXPECT_GE(area.y, 0);
        EXPECT_LE(area.x + area.w, size.w);
        EXPECT_LE(area.y + area.h, lowest_button_bottom);
        for (std::size_t j = i + 1; j < buttons.size(); ++j) {
            const PixelRect& other = buttons[j].area;
            const bool apart = area.x + area.w <= other.x || other.x + other.w <= area.x ||
                               area.y + area.h <= other.y || other.y + other.h <= area.y;
            EXPECT_TRUE(apart) << buttons[i].caption << " overlaps " << buttons[j].caption;
        }
    }
}

TEST(InputBody, ButtonsStayClearOfTheField) {
    const InputBody body("Your Name Please", "");
    const auto buttons = body.buttons();
    ASSERT_EQ(buttons.size(), 2U);
    EXPECT_EQ(buttons[1].caption, "Cancel");
    // The field fills the bottom row, a margin and a button's height above the bottom edge.
    expect_buttons_inside(body, body.size().h - 2 * 24);
}

TEST(MessageBody, AnyOfTheAnsweringKeysOrItsButtonAnswersIt) {
    FontSet fonts;
    MessageBody body("GAME OVER", MessageIcon::Information, fonts);
    for (const SDL_Keycode key : {SDLK_RETURN, SDLK_KP_ENTER, SDLK_ESCAPE, SDLK_SPACE}) {
        EXPECT_TRUE(body.key_pressed(key)) << SDL_GetKeyName(key);
    }
    for (const SDL_Keycode key : {SDLK_a, SDLK_BACKSPACE, SDLK_F11}) {
        EXPECT_FALSE(body.key_pressed(key)) << SDL_GetKeyName(key);
    }
    EXPECT_TRUE(body.button_clicked(0));
}

TEST(MessageBody, GrowsDownwardsWithItsMessageAndKeepsItsButtonInside) {
    FontSet fonts;
    ASSERT_TRUE(fonts.open_faces());
    const MessageBody short_one("GAME OVER", MessageIcon::Information, fonts);
    std::string long_text;
    for (int i = 0; i < 40; ++i) {
        long_text += "The high score could not be read. ";
    }
    const MessageBody long_one(long_text, MessageIcon::Critical, fonts);
    EXPECT_GT(long_one.size().h, short_one.size().h);
    EXPECT_GE(long_one.size().w, short_one.size().w);
    EXPECT_LE(long_one.size().w, 600) << "long lines are wrapped";
    for (const MessageBody* body : {&short_one, &long_one}) {
        expect_buttons_inside(*body, body->size().h);
        EXPECT_EQ(body->buttons().size(), 1U);
    }
}

}  // namespace
}  // namespace vex
