#include "platform/sdl/audio/alsa_messages.h"

namespace vex {

// Windows' audio (WASAPI, DirectSound) writes nothing to standard error: there is nothing to quieten.
void silence_alsa_messages() {}

}  // namespace vex
