// Where the game's window is on its way between full screen, a size the window manager forced on
// it and its own size, and where the player keeps it. Only the notes: MainWindow asks SDL.
#pragma once

#include "platform/layout/viewport.h"

#include <optional>

namespace vex {

class WindowPlacement {
public:
    // Whether the window manager has had the window at its own size, to give back after full
    // screen: not yet when it opened in full screen.
    explicit WindowPlacement(bool opens_full_screen) : m_placed(!opens_full_screen) {}

    void full_screen_entered() { m_leaving_full_screen = false; }
    // Out of full screen until the window manager has given the window its own size back.
    // Returns whether the window must be given that size itself: it never had it.
    bool full_screen_left() {
        m_leaving_full_screen = m_placed;
        return !m_placed;
    }
    // The window manager reported a size, `own` or not. Returns whether it was one of its steps
    // back from full screen, not the player's.
    bool size_reported(bool own) {
        m_placed = m_placed || own;
        if (m_leaving_full_screen) {
            m_leaving_full_screen = !own;
            return true;
        }
        return false;
    }
    // The window was maximised or resized, and is on its way back to its own size.
    void sent_away() { m_going_home = true; }
    // The window stands at its own size again, as reported (`own`) or not yet: once it is back,
    // where it stood before it was sent away, if it has stood anywhere.
    std::optional<PixelPoint> back_home(bool own) {
        if (!m_going_home || !own) {
            return std::nullopt;
        }
        m_going_home = false;
        return m_home;
    }
    // The window moved to `at`, at its own size or not: only a move at its own size, on no way
    // back from anywhere, is where the player keeps it.
    void moved(PixelPoint at, bool at_own_size) {
        if (at_own_size && !m_leaving_full_screen && !m_going_home) {
            m_home = at;
        }
    }

private:
    bool m_placed;
    bool m_leaving_full_screen = false;
    bool m_going_home = false;
    std::optional<PixelPoint> m_home;
};

}  // namespace vex
