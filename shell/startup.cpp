#include "shell/form1.h"

namespace vex {

namespace {

std::string ask_player_name(Runtime& runtime) { return runtime.input_box("Your Name Please", "Enter Your Name", ""); }

}  // namespace

void Form1::Form_Load() {
    LoadHighScore();
    if (m_record_unusable) {
        runtime().message_box("The high score could not be read (" + *m_record_unusable +
                                  "). It will not be saved this session.",
                              MessageIcon::Critical, message_title);
    }
    // The name is taken as typed: not trimmed, not checked, possibly empty.
    lblPlayer.Caption = ask_player_name(runtime());
}

void Form1::Label9_Click() { lblPlayer.Caption = ask_player_name(runtime()); }

}  // namespace vex
