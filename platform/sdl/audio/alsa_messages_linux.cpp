#include "platform/sdl/audio/alsa_messages.h"

#include <alsa/asoundlib.h>

namespace vex {

namespace {

void ignore(const char* /*file*/, int /*line*/, const char* /*function*/, int /*error*/, const char* /*format*/, ...) {}

}  // namespace

void silence_alsa_messages() { snd_lib_error_set_handler(ignore); }

}  // namespace vex
