#include "platform/sdl/input/input_router.h"

#include "platform/sdl/input/key_map.h"

#include <utility>

namespace vex {

namespace {

// F11, and Enter with Alt held, switch full screen on and off.
bool toggles_full_screen(const SDL_Keysym& key) {
    return key.sym == SDLK_F11 ||
           ((key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER) && (key.mod & KMOD_ALT) != 0);
}

}  // namespace

InputRouter::InputRouter(Form& form, MainWindow& main, Gamepads& pads, const KeyBindings& keys,
                         std::function<void()> sync_clock, std::function<bool()> done, std::function<void()> toggle_mute)
    : m_form(form),
      m_main(main),
      m_pads(pads),
      m_keys(keys),
      m_sync_clock(std::move(sync_clock)),
      m_done(std::move(done)),
      m_toggle_mute(std::move(toggle_mute)) {}

void InputRouter::route(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (m_main.is(event.key.windowID)) {
            key(event.key);
        }
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (m_main.is(event.button.windowID) && event.button.button == SDL_BUTTON_LEFT) {
            mouse_button(event.button);
        }
        break;
    default:
        for (const KeyChange& change : m_pads.handle(event)) {
            send_key(change.code, change.down, 0);
            if (m_done()) {
                break;
            }
        }
        break;
    }
}

void InputRouter::key(const SDL_KeyboardEvent& event) {
    // The release of a full-screen key is the window's too, Alt let go first or not.
    if (event.type == SDL_KEYDOWN && toggles_full_screen(event.keysym)) {
        m_full_screen_key = event.keysym.sym;
        if (event.repeat == 0) {
            m_main.toggle_full_screen();
        }
        return;
    }
    if (event.type == SDL_KEYUP && (event.keysym.sym == m_full_screen_key || event.keysym.sym == SDLK_F11)) {
        m_full_screen_key = SDLK_UNKNOWN;
        return;
    }
    if (event.keysym.sym == SDLK_m && !m_keys.bound(SDLK_m)) {
        if (event.type == SDL_KEYDOWN && event.repeat == 0) {
            m_toggle_mute();
        }
        return;
    }
    if (const auto code = m_keys.code(event.keysym.sym)) {
        send_key(*code, event.type == SDL_KEYDOWN, shift_state(event.keysym.mod));
    }
}

void InputRouter::send_key(std::int16_t code, bool down, std::int16_t shift) {
    m_sync_clock();
    if (down) {
        m_form.key_down(code, shift);
    } else {
        m_form.key_up(code, shift);
    }
}

void InputRouter::mouse_button(const SDL_MouseButtonEvent& event) {
    Label* under = m_main.label_at(m_form, {event.x, event.y});
    if (event.type == SDL_MOUSEBUTTONDOWN) {
        m_pressed_label = under;
        return;
    }
    Label* pressed = std::exchange(m_pressed_label, nullptr);
    if (pressed != nullptr && pressed == under && pressed->Click) {
        m_sync_clock();
        m_form.click(*pressed);
    }
}

}  // namespace vex
