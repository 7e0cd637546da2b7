// The five kinds of control a form holds. A control is a plain object: the game reads and
// writes its properties directly and the backend redraws the whole window from them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vex {

class TickClock;

// 0xRRGGBB.
using Color = std::uint32_t;

namespace colors {
constexpr Color black = 0x000000;
constexpr Color white = 0xFFFFFF;
constexpr Color red = 0xFF0000;
constexpr Color blue = 0x0000FF;
constexpr Color grey = 0x808080;
constexpr Color green = 0x008000;
constexpr Color lime = 0x00FF00;
constexpr Color yellow = 0xFFFF00;
constexpr Color purple = 0x800080;
constexpr Color light_blue = 0x8080FF;
constexpr Color silver = 0xC0C0C0;
// The desktop's standard button colours.
constexpr Color button_face = 0xC0C0C0;
constexpr Color button_text = 0x000000;
}  // namespace colors

enum class ControlKind { Image, Label, Line, Frame, Timer };

class Frame;

class Control {
public:
    Control(ControlKind kind, std::string name) : m_kind(kind), m_name(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return m_kind; }
    const std::string& name() const { return m_name; }

    // The frame this control lies in; its geometry is then relative to the frame.
    Frame* container = nullptr;

private:
    ControlKind m_kind;
    std::string m_name;
};

class Image : public Control {
public:
    explicit Image(std::string name) : Control(ControlKind::Image, std::move(name)) {}

    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    // File name of the picture in the program folder's data, e.g. "brit1.gif".
    std::string picture;
};

enum class Alignment { Left, Center };

struct Font {
    // Size in points; 96 dots per inch turn it into pixels.
    double points = 8.25;
    bool bold = false;
};

class Label : public Control {
public:
    explicit Label(std::string name) : Control(ControlKind::Label, std::move(name)) {}

    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    std::string Caption;

    Color fore_color = colors::black;
    Color back_color = colors::button_face;
    Font font;
    Alignment alignment = Alignment::Left;
    bool border = false;
    // A label wider than one line of its caption wraps it at word boundaries, except an
    // auto-size label, which takes the width of its caption instead (keeping its left edge).
    bool auto_size = false;

    // Raised when the player clicks the label while it is shown.
    std::function<void()> Click;
};

class Line : public Control {
public:
    explicit Line(std::string name) : Control(ControlKind::Line, std::move(name)) {}

    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    bool Visible = true;
    Color color = colors::white;
    int pen_width = 1;  // pixels
};

class Frame : public Control {
public:
    explicit Frame(std::string name) : Control(ControlKind::Frame, std::move(name)) {}

    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    std::string Caption;
    Color fore_color = colors::black;
    Color back_color = colors::black;
    Font font;
};

// A timer raises its Timer event every Interval while enabled. Intervals are rounded up to
// whole ticks of the form's clock; the first event comes one interval after enabling.
class Timer : public Control {
public:
    Timer(std::string name, int interval_ms) : Control(ControlKind::Timer, std::move(name)), m_interval_ms(interval_ms) {}

    // Reads and writes like a plain boolean property: `tmBrit.Enabled = false;`.
    class EnabledProperty {
    public:
        explicit EnabledProperty(Timer& timer) : m_timer(timer) {}
        EnabledProperty(const EnabledProperty&) = delete;
        EnabledProperty& operator=(const EnabledProperty&) = delete;
        EnabledProperty& operator=(bool on) {
            m_timer.set_enabled(on);
            return *this;
        }
        operator bool() const { return m_timer.m_enabled; }  // NOLINT(google-explicit-constructor)

    private:
        Timer& m_timer;
    };

    EnabledProperty Enabled{*this};

    int interval_ms() const { return m_interval_ms; }
    // Whole clock ticks between two events (at least one).
    std::uint64_t period_ticks() const;

    // Called by the form when it adopts the timer.
    void attach(const TickClock& clock) { m_clock = &clock; }
    // Raises the Timer event when the timer is enabled and due at `now`; a raised timer is next
    // due one period after `now`, so ticks missed while the program was blocked never pile up.
    void raise_if_due(std::uint64_t now);

    std::function<void()> on_timer;

private:
    void set_enabled(bool on);

    int m_interval_ms;
    bool m_enabled = false;
    std::uint64_t m_due_tick = 0;
    const TickClock* m_clock = nullptr;
};

// A control is shown while it and its frame, if any, are visible; a timer never is.
bool shown(const Control& control);

}  // namespace vex
