// A loaded window in a program folder of its own, for scenarios that drive the game through the
// headless backend: scores.dat as the test chooses, the name box already answered, no game yet.
#pragma once

#include "platform/headless/headless_runtime.h"
#include "shell/form1.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex::testing {

struct LoadedGame {
    explicit LoadedGame(std::optional<std::string> scores = "\"0\",\"nobody\"\r\n", std::string player = "tester");

    // Presses S; the game is running afterwards.
    void start_game();
    // Names of the sounds played since the last call ("pop2.wav", ...).
    std::vector<std::string> new_sounds();

    TestFolder folder;
    HeadlessRuntime runtime;
    Form1 form;

private:
    std::size_t m_sounds_seen = 0;
};

// The window caption, then every control in control order, one line each: kind, name, frame,
// geometry (a line's end points; a timer's interval), caption, shown or hidden (a timer's on or
// off). For the starting layout and for checks that an action changed nothing else; the control
// named `except` is left out.
std::vector<std::string> snapshot(const Form& form, std::string_view except = {});

class GameTest : public ::testing::Test {
protected:
    LoadedGame game;
    Form1& form = game.form;
    HeadlessRuntime& runtime = game.runtime;
};

// Caps the size of every file this process writes while it lives, so that writing a file fails
// the way a full disk does (root ignores permission bits, not this limit).
class FileSizeLimit {
public:
    explicit FileSizeLimit(std::size_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long m_old_soft = 0;
    void (*m_old_handler)(int) = nullptr;
};

}  // namespace vex::testing
