// A loaded window in a program folder of its own, for scenarios that drive the game through the
// headless backend: scores.dat as the test chooses, the name box already answered, no game yet.
#pragma once

#include "platform/headless/headless_runtime.h"
#include "platform/key_codes.h"
#include "shell/form1.h"
#include "tests/support/process_files.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace vex::testing {

using Texts = std::vector<std::string>;

struct LoadedGame {
    explicit LoadedGame(std::optional<std::string> scores = "\"0\",\"nobody\"\r\n", std::string player = "tester")
        : folder(std::move(scores)), runtime(folder.path()), form(runtime) {
        runtime.answer_input_box(std::move(player));
        runtime.load(form);
    }
    // Presses S; the game is running afterwards.
    void start_game() {
        runtime.key_down(keys::s);
        EXPECT_TRUE(form.tmBrit.Enabled) << "S did not start a game";
    }
    // Scripts OK for the next `count` message boxes.
    void answer(int count = 1) {
        for (int i = 0; i < count; ++i) {
            runtime.answer_message_box();
        }
    }

    TestFolder folder;
    HeadlessRuntime runtime;
    Form1 form;
};

// A game just started with S.
struct RunningGame : LoadedGame {
    explicit RunningGame(std::optional<std::string> scores = "\"0\",\"nobody\"\r\n") : LoadedGame(std::move(scores)) {
        start_game();
    }
};

inline void place(Image& sprite, float left, float top) {
    sprite.Left = left;
    sprite.Top = top;
}

// Stands shot 1 in flight with its tip at (x, y).
inline void aim_shot(Form1& f, float x, float y) {
    f.Line2.Visible = true;
    f.Line2.X1 = f.Line2.X2 = x;
    f.Line2.Y1 = y;
    f.Line2.Y2 = y + 150;
    f.tmFire1.Enabled = true;
}

// The Lefts of imgBrit1 to imgBrit4, then their Tops.
inline std::vector<float> wave_places(const Form1& f) {
    return {f.imgBrit1.Left, f.imgBrit2.Left, f.imgBrit3.Left, f.imgBrit4.Left,
            f.imgBrit1.Top,  f.imgBrit2.Top,  f.imgBrit3.Top,  f.imgBrit4.Top};
}
inline void set_wave_places(Form1& f, const std::vector<float>& p) {
    place(f.imgBrit1, p[0], p[4]);
    place(f.imgBrit2, p[1], p[5]);
    place(f.imgBrit3, p[2], p[6]);
    place(f.imgBrit4, p[3], p[7]);
}

// The scoreboard's counters, e.g. "score=0 hits=0 shots=0 acc=0% lives=2 bady=50".
inline std::string scoreboard(const Form1& f) {
    return "score=" + f.lblScore.Caption + " hits=" + f.lblHits.Caption + " shots=" + f.lblShots.Caption +
           " acc=" + f.lblAcc.Caption + " lives=" + f.lblLives.Caption + " bady=" + f.lblBady.Caption;
}

}  // namespace vex::testing
