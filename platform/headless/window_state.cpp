#include "platform/headless/window_state.h"

#include "platform/numbers.h"

#include <cstdio>
#include <initializer_list>
#include <utility>

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
    // Numbers in the order given.
    void put_numbers(std::initializer_list<std::pair<const char*, double>> properties) {
        for (const auto& [property, value] : properties) {
            put(property, value);
        }
    }

private:
    WindowState& m_state;
    std::string m_name;
};

// Each kind's properties, those it shares with other kinds first, in the order of its class's bases.
void describe(Writer& out, const Placed& placed) {
    out.put_numbers({{"Left", placed.Left}, {"Top", placed.Top}, {"Width", placed.Width}, {"Height", placed.Height}});
    out.put("Visible", placed.Visible);
    if (placed.container != nullptr) {
        out.put("Container", placed.container->name());
    }
}

void describe(Writer& out, const Captioned& captioned) {
    describe(out, static_cast<const Placed&>(captioned));
    out.put("Caption", captioned.Caption);
    out.put_color("ForeColor", captioned.fore_color);
    out.put_color("BackColor", captioned.back_color);
    out.put("Font", captioned.font);
}

void describe(Writer& out, const Image& image) {
    describe(out, static_cast<const Placed&>(image));
    out.put("Picture", image.picture);
}

void describe(Writer& out, const Label& label) {
    describe(out, static_cast<const Captioned&>(label));
    out.put("Alignment", std::string(label.alignment == Alignment::Center ? "center" : "left"));
    out.put("Border", label.border);
    out.put("AutoSize", label.auto_size);
    out.put("Click", static_cast<bool>(label.Click));
}

void describe(Writer& out, const Line& line) {
    out.put_numbers({{"X1", line.X1}, {"Y1", line.Y1}, {"X2", line.X2}, {"Y2", line.Y2}});
    out.put("Visible", line.Visible);
    out.put_color("Color", line.color);
    out.put("Pen", static_cast<double>(line.pen_width));
}

void describe(Writer& out, const Timer& timer) {
    out.put("Enabled", static_cast<bool>(timer.Enabled));
    out.put("Interval", static_cast<double>(timer.interval_ms()));
    out.put("Timer", static_cast<bool>(timer.on_timer));
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
        out.begin(control->name());
        visit_control(*control, [&out](const auto& kind) { describe(out, kind); });
    }
    out.begin("Form");
    for (const auto& [name, value] : form.variables()) {
        out.put(name.c_str(), value);
    }
    return state;
}

}  // namespace vex
