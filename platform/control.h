// The five kinds of control a form holds. A control is a plain object: the game reads and
// writes its properties directly and the backend redraws the whole window from them. What kinds
// share lives once in the class they share: Visible in Drawn, the rectangle in Placed, the caption
// and its look in Captioned.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <type_traits>

namespace vex {

class TickClock;

// 0xRRGGBB.
using Color = std::uint32_t;

namespace colors {
constexpr Color black = 0x000000, white = 0xFFFFFF, grey = 0x808080, silver = 0xC0C0C0;
constexpr Color red = 0xFF0000, green = 0x008000, lime = 0x00FF00, blue = 0x0000FF, light_blue = 0x8080FF;
constexpr Color yellow = 0xFFFF00, purple = 0x800080;
// The desktop's standard button colours.
constexpr Color button_face = 0xC0C0C0, button_text = 0x000000;
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

// A control the window draws: every kind but the timer.
class Drawn : public Control {
public:
    using Control::Control;

    bool Visible = true;
};

// A drawn control that covers a rectangle, in twips from the top-left corner of the window or of
// its frame.
class Placed : public Drawn {
public:
    using Drawn::Drawn;

    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
};

struct Font {
    // Size in points; 96 dots per inch turn it into pixels.
    double points = 8.25;
    bool bold = false;
};

// A placed control that shows a caption in its own font and colours.
class Captioned : public Placed {
public:
    Captioned(ControlKind kind, std::string name, Color back) : Placed(kind, std::move(name)), back_color(back) {}

    std::string Caption;
    Color fore_color = colors::black;
    Color back_color;
    Font font;
};

class Image : public Placed {
public:
    explicit Image(std::string name) : Placed(ControlKind::Image, std::move(name)) {}

    // File name of the picture in the program folder's data, e.g. "brit1.gif".
    std::string picture;
};

enum class Alignment { Left, Center };

class Label : public Captioned {
public:
    explicit Label(std::string name) : Captioned(ControlKind::Label, std::move(name), colors::button_face) {}

    Alignment alignment = Alignment::Left;
    bool border = false;
    // A label wider than one line of its caption wraps it at word boundaries, except an
    // auto-size label, which takes the width of its caption instead (keeping its left edge).
    bool auto_size = false;

    // Raised when the player clicks the label while it is shown.
    std::function<void()> Click;
};

class Line : public Drawn {
public:
    explicit Line(std::string name) : Drawn(ControlKind::Line, std::move(name)) {}

    float X1 = 0;
    float Y1 = 0;
    float X2 = 0;
    float Y2 = 0;
    Color color = colors::white;
    int pen_width = 1;  // pixels
};

// A group box: the controls it holds lie within it and show only while it does.
class Frame : public Captioned {
public:
    explicit Frame(std::string name) : Captioned(ControlKind::Frame, std::move(name), colors::black) {}
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

// Lambdas joined into one visitor for visit_control: a control goes to the one that takes its kind
// most closely (a Label before a Placed before a Control).
template <typename... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
// Spelled out for compilers without deduction for aggregates (Clang before 17, which the fuzz
// targets build with).
template <typename... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

// `Kind`, const when `C` is.
template <typename Kind, typename C>
using SameConstAs = std::conditional_t<std::is_const_v<C>, const Kind, Kind>;

// Calls `visitor` with the control as the kind it is (an Image, Label, Line, Frame or Timer; const
// when the control is) and returns what it returns: the one place that turns a control's kind into
// its type.
template <typename C, typename Visitor>
    requires std::is_same_v<std::remove_const_t<C>, Control>
decltype(auto) visit_control(C& control, Visitor&& visitor) {
    switch (control.kind()) {
    case ControlKind::Image:
        return visitor(static_cast<SameConstAs<Image, C>&>(control));
    case ControlKind::Label:
        return visitor(static_cast<SameConstAs<Label, C>&>(control));
    case ControlKind::Line:
        return visitor(static_cast<SameConstAs<Line, C>&>(control));
    case ControlKind::Frame:
        return visitor(static_cast<SameConstAs<Frame, C>&>(control));
    case ControlKind::Timer:
        break;
    }
    return visitor(static_cast<SameConstAs<Timer, C>&>(control));
}

// A control is shown while it and its frame, if any, are visible; a timer never is.
bool shown(const Control& control);

}  // namespace vex
