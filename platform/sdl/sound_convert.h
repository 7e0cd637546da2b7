// Turning a WAV file into samples for the audio device.
#pragma once

#include <SDL.h>

#include <optional>
#include <string_view>
#include <vector>

namespace vex {

// A whole WAV file's samples converted to the device's format `output`, as long as the sound
// itself; nullopt when its header fails the limits or its samples cannot be decoded.
std::optional<std::vector<Uint8>> convert_sound(std::string_view file, const SDL_AudioSpec& output);

}  // namespace vex
