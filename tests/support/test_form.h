// A small window of the tests' own, 100 x 100 pixels, whose key events log "+code " and "-code ".
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

namespace vex::testing {

struct TestForm : Form {
    using Form::Form;
    void Form_KeyDown(std::int16_t code, std::int16_t) override { log += "+" + std::to_string(code) + " "; }
    void Form_KeyUp(std::int16_t code, std::int16_t) override { log += "-" + std::to_string(code) + " "; }
    float client_width() const override { return 1500; }
    float client_height() const override { return 1500; }
    std::string icon() const override { return "pictures/icon.bmp"; }
    // Adopts `timer` and makes `handler` its Timer handler.
    void add_timer(Timer& timer, std::function<void()> handler) {
        add(timer);
        timer.on_timer = std::move(handler);
    }

    std::string log;
};

}  // namespace vex::testing
