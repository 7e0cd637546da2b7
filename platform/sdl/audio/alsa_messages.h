// ALSA writes its own errors to standard error: on a machine without a sound card, eight lines
// about cards it cannot find while SDL looks for a device. The game says in one line of its own
// that it plays without sound instead.
#pragma once

namespace vex {

// Called before SDL's audio starts; SDL loads the same ALSA library and so keeps to it.
void silence_alsa_messages();

}  // namespace vex
