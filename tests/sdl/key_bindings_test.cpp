// The player's keys in the real loop: a bound key reaches the form as the code the game has always
// read for its action, a key moved away reaches it no more, and M switches the sound off and on.
#include "platform/sdl/input/key_bindings.h"
#include "platform/sdl/sdl_runtime.h"
#include "tests/support/test_folder.h"
#include "tests/support/test_form.h"

#include <SDL.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace vex {
namespace {

// SDL_Keycode 0 stands for a cue played at that step.
constexpr SDL_Keycode cue = 0;

// A window that sends itself one key press and release a tick, as SDL delivers them, then unloads.
struct KeyForm : testing::TestForm {
    KeyForm(Runtime& runtime, std::vector<SDL_Keycode> keys) : TestForm(runtime), m_keys(std::move(keys)) {
        Caption = "keys";
        tmScript.Enabled = true;
        add_timer(tmScript, [this] { step(); });
    }

    Timer tmScript{"tmScript", 20};

private:
    void step() {
        if (m_step == m_keys.size()) {
            Unload();
            return;
        }
        const SDL_Keycode key = m_keys[m_step++];
        if (key == cue) {
            runtime().play_sound("\\sounds\\shoot.wav");
            return;
        }
        for (const Uint32 type : {SDL_KEYDOWN, SDL_KEYUP}) {
            SDL_Event event{};
            event.type = type;
            event.key.windowID = window_id();
            event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
            event.key.keysym.sym = key;
            SDL_PushEvent(&event);
        }
    }

    Uint32 window_id() const {
        for (Uint32 id = 1; id < 256; ++id) {
            if (SDL_Window* window = SDL_GetWindowFromID(id); window != nullptr && Caption == SDL_GetWindowTitle(window)) {
                return id;
            }
        }
        return 0;
    }

    std::vector<SDL_Keycode> m_keys;
    std::size_t m_step = 0;
};

struct Row {
    const char* what;
    Bindings keys;
    std::vector<SDL_Keycode> pressed;
    const char* log;
};

// Key codes: 17 Ctrl, 83 S, 37 and 39 the left and right arrows, 32 Space, 77 M.
TEST(KeyBindings, BoundKeysReachTheFormAsTheirActionsKeys) {
    const Bindings defaults = PlayerSettings{}.keys;
    const Bindings space_fires{{{"S"}, {"Left"}, {"Right"}, {"Space"}}};
    const Bindings moved{{{"Return"}, {"a"}, {"d"}, {"left ctrl", "m"}}};
    const std::vector<Row> rows{
        {"today's keys", defaults, {SDLK_s, SDLK_LEFT, SDLK_RIGHT, SDLK_LCTRL, SDLK_RCTRL}, "+83 -83 +37 -37 +39 -39 +17 -17 +17 -17 "},
        {"other keys keep their own codes", defaults, {SDLK_SPACE, SDLK_a}, "+32 -32 +65 -65 "},
        {"M is the sound's", defaults, {SDLK_m}, ""},
        {"fire = Space: Space fires, Ctrl is nothing", space_fires, {SDLK_SPACE, SDLK_LCTRL, SDLK_RCTRL}, "+17 -17 "},
        {"every action moved", moved,
         {SDLK_RETURN, SDLK_a, SDLK_d, SDLK_LCTRL, SDLK_m, SDLK_s, SDLK_LEFT, SDLK_RIGHT, SDLK_RCTRL},
         "+83 -83 +37 -37 +39 -39 +17 -17 +17 -17 "},
    };
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const testing::TestFolder folder;
        PlayerSettings settings;
        settings.keys = row.keys;
        SdlRuntime runtime{folder.path(), settings};
        KeyForm form{runtime, row.pressed};
        EXPECT_EQ(runtime.run(form), 0);
        EXPECT_EQ(form.log, row.log);
    }
}

// M mutes the cues after it and unmutes them again; bound to an action, it is that action's.
TEST(KeyBindings, MSwitchesTheSoundUnlessBound) {
    const testing::TestFolder folder;
    const auto device_file = folder.path() / "device.raw";
    const Bindings m_fires{{{"S"}, {"Left"}, {"Right"}, {"M"}}};
    const std::vector<std::tuple<const char*, Bindings, bool, std::vector<SDL_Keycode>, bool>> rows{
        {"sound on", PlayerSettings{}.keys, false, {cue}, true},
        {"M mutes", PlayerSettings{}.keys, false, {SDLK_m, cue}, false},
        {"M again unmutes", PlayerSettings{}.keys, false, {SDLK_m, SDLK_m, cue}, true},
        {"M unmutes the muted", PlayerSettings{}.keys, true, {SDLK_m, cue}, true},
        {"M bound fires and mutes nothing", m_fires, false, {SDLK_m, cue}, true},
    };
    for (const auto& [what, keys, muted, pressed, heard] : rows) {
        SCOPED_TRACE(what);
        std::filesystem::remove(device_file);
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", device_file.c_str(), 1);
        PlayerSettings settings;
        settings.keys = keys;
        settings.mute = muted;
        {
            SdlRuntime runtime{folder.path(), settings};
            KeyForm form{runtime, pressed};
            EXPECT_EQ(runtime.run(form), 0);
        }
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        std::ifstream device(device_file, std::ios::binary);
        const std::string played{std::istreambuf_iterator<char>(device), {}};
        EXPECT_GT(played.size(), 0U);
        EXPECT_EQ(played.find_first_not_of('\0') != std::string::npos, heard);
    }
}

}  // namespace
}  // namespace vex
