// Any bytes as a WAV file: the header check, then the conversion the player makes for a 44.1 kHz
// 16-bit stereo device. A sound may be refused; none may crash or ask for more than its cap.
#include "platform/sdl/sound_convert.h"
#include "platform/wav_header.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const auto header = vex::read_wav_header(file);
    SDL_AudioSpec device{};
    device.freq = 44100;
    device.format = AUDIO_S16SYS;
    device.channels = 2;
    const auto samples = vex::convert_sound(file, device);
    if (samples && !header) {
        std::abort();  // only a sound whose header passed may play
    }
    // At most 192 kHz mono 8-bit resampled to the device: 44100 * 4 / 8000 bytes for each byte.
    if (samples && samples->size() > size * 23 + 4096) {
        std::abort();
    }
    return 0;
}
