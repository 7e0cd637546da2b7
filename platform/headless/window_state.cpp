#include "platform/headless/window_state.h"

#include "platform/numbers.h"

#include <cstdio>

namespace vex {

namespace {

class Writer {
public:
    explicit Writer(WindowState& state) : m_state(state) {}

    void begin(const std::string& name) { m_name = name; }
    void put(const char* property, std::string value) { m_state.emplace_back(m_name + "." + property, std::move(value)); }
    void put(const char* property, double value) { put(property, format_number(value)); }
    void put(const char* property, bool value) { put(property, std::string(value ? "true" : "false")); }
    void put(const char* property, const Font& font) {
        put(property, format_number(font.points) + (font.bold ? " bold" : ""));
    }
    void put_color(const char* property, Color color) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06x", color);
        put(property, std::string(hex));
    }
    template <typename C>
    void put_box(const C& c) {
        put("Left", c.Left);
        put("Top", c.Top);
        put("Width", c.Width);
        put("Height", c.Height);
        put("Visible", c.Visible);
        if (c.container != nullptr) {
            put("Container", c.container->name());
        }
    }

private:
    WindowState& m_state;
    std::string m_name;
};

void describe(Writer& out, const Control& control) {
    out.begin(control.name());
    switch (control.kind()) {
    case ControlKind::Image: {
        const auto& image = static_cast<const Image&>(control);
        out.put_box(image);
        out.put("Picture", image.picture);
        break;
    }
    case ControlKind::Label: {
        const auto& label = static_cast<const Label&>(control);
        out.put_box(label);
        out.put("Caption", label.Caption);
        out.put_color("ForeColor", label.fore_color);
        out.put_color("BackColor", label.back_color);
        out.put("Font", label.font);
        out.put("Alignment", std::string(label.alignment == Alignment::Center ? "center" : "left"));
        out.put("Border", label.border);
        out.put("AutoSize", label.auto_size);
        out.put("Click", static_cast<bool>(label.Click));
        break;
    }
    case ControlKind::Line: {
        const auto& line = static_cast<const Line&>(control);
        out.put("X1", line.X1);
        out.put("Y1", line.Y1);
        out.put("X2", line.X2);
        out.put("Y2", line.Y2);
        out.put("Visible", line.Visible);
        out.put_color("Color", line.color);
        out.put("Pen", static_cast<double>(line.pen_width));
        break;
    }
    case ControlKind::Frame: {
        const auto& frame = static_cast<const Frame&>(control);
        out.put_box(frame);
        out.put("Caption", frame.Caption);
        out.put_color("ForeColor", frame.fore_color);
        out.put_color("BackColor", frame.back_color);
        out.put("Font", frame.font);
        break;
    }
    case ControlKind::Timer: {
        const auto& timer = static_cast<const Timer&>(control);
        out.put("Enabled", static_cast<bool>(timer.Enabled));
        out.put("Interval", static_cast<double>(timer.interval_ms()));
        out.put("Timer", static_cast<bool>(timer.on_timer));
        break;
    }
    }
}

// "lblScore.Caption", "10" told as "lblScore=10", and so on (see changes()).
std::string change(const std::string& key, const std::string& value) {
    const std::size_t dot = key.find('.');
    const std::string control = key.substr(0, dot);
    const std::string property = key.substr(dot + 1);
    if (property == "Visible" || property == "Enabled") {
        return (value == "true" ? "+" : "-") + control;
    }
    if (property == "Caption") {
        return control + "=" + value;
    }
    return (control == "Form" ? property : key) + "=" + value;
}

}  // namespace

std::vector<std::string> changes(const WindowState& from, const WindowState& to) {
    std::vector<std::string> changed;
    for (std::size_t i = 0; i < to.size(); ++i) {
        if (i >= from.size() || from[i] != to[i]) {
            changed.push_back(change(to[i].first, to[i].second));
        }
    }
    return changed;
}

WindowState window_state(const Form& form) {
    WindowState state;
    Writer out(state);
    out.begin("Form");
    out.put("Caption", form.Caption);
    out.put("Width", form.client_width());
    out.put("Height", form.client_height());
    out.put("Icon", form.icon());
    out.put("Unloaded", form.unloaded());
    for (const Control* control : form.controls()) {
        describe(out, *control);
    }
    out.begin("Form");
    for (const auto& [name, value] : form.variables()) {
        out.put(name.c_str(), value);
    }
    return state;
}

}  // namespace vex
