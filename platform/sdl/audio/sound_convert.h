// A WAV file decoded and turned into samples for the audio device a piece at a time: a long cue
// holds its decoded samples and one converted piece, never the whole sound in the device's format.
#pragma once

#include "platform/sdl/sdl_handles.h"

#include <SDL.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace vex {

class CueSamples {
public:
    // Checks `file` against the limits of a cue, then decodes it for the device format `output`.
    // The data chunk's size in `file` is set to what the file holds: the decoder would otherwise
    // allocate what a stream's placeholder size says, 4 GB.
    CueSamples(std::string& file, const SDL_AudioSpec& output);

    // Empty when the sound plays; otherwise why not, in one line.
    const std::string& refusal() const { return m_refusal; }
    // The whole sound in the device's format, as long as the sound itself.
    Uint64 total_bytes() const { return m_total; }
    // Up to `frames` further frames in the device's format into `piece`; empty once all came.
    void next(std::size_t frames, std::vector<Uint8>& piece);

private:
    struct WavFree {
        void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
    };

    std::string m_refusal;
    std::unique_ptr<Uint8, WavFree> m_samples;
    Uint32 m_length = 0;
    Uint32 m_put = 0;
    Uint32 m_piece = 0;  // source bytes given to the converter at a time
    Uint32 m_output_frame = 0;
    Uint64 m_total = 0;
    Uint64 m_left = 0;
    std::vector<Uint8> m_padding;
    AudioStreamHandle m_stream;
};

}  // namespace vex
