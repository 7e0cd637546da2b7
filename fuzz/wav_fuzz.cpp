// Any bytes as a WAV file: the header check, then the decoding and the piece-by-piece conversion
// the player makes for a 44.1 kHz 16-bit stereo device. A sound may be refused; none may crash,
// be played against the header check, or come out longer than the frames its header counted.
#include "platform/sdl/audio/sound_convert.h"
#include "platform/wav_header.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(data), size);
    const vex::Result<vex::WavHeader> header = vex::read_wav_header(file);
    SDL_AudioSpec device{};
    device.freq = 44100;
    device.format = AUDIO_S16SYS;
    device.channels = 2;
    std::string bytes(file);
    vex::CueSamples cue(bytes, device);
    if (!cue.refusal().empty()) {
        return 0;
    }
    if (!header || header.value().decoded_bytes() > vex::wav_decoded_limit) {
        std::abort();  // only a sound whose header passed may play
    }
    const std::uint64_t most = (header.value().frames * 44100 + header.value().rate - 1) / header.value().rate * 4;
    std::uint64_t total = 0;
    std::vector<Uint8> piece;
    for (cue.next(1000, piece); !piece.empty(); cue.next(1000, piece)) {
        total += piece.size();
        if (piece.size() > 4000 || total > cue.total_bytes()) {
            std::abort();
        }
    }
    if (cue.total_bytes() > most) {
        std::abort();
    }
    return 0;
}
