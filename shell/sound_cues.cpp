#include "shell/form1.h"

namespace vex {

// Every cue plays to its end before the handler goes on; the whole game waits meanwhile.
void Form1::PlaySound(const std::string& game_path) { runtime().play_sound(game_path); }

}  // namespace vex
