#include "platform/sdl/audio/sound_convert.h"

#include "platform/wav_header.h"

#include <algorithm>

namespace vex {

CueSamples::CueSamples(std::string& file, const SDL_AudioSpec& output) {
    const Result<WavHeader> check = read_wav_header(file);
    if (!check) {
        m_refusal = check.reason();
        return;
    }
    const WavHeader& header = check.value();
    for (std::size_t byte = 0; byte < 4; ++byte) {
        file[header.data_at - 4 + byte] = static_cast<char>(header.data_bytes >> (8U * byte));
    }
    SDL_AudioSpec source{};
    Uint8* raw = nullptr;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1, &source, &raw, &m_length) == nullptr) {
        m_refusal = std::string("cannot be decoded: ") + SDL_GetError();
        return;
    }
    m_samples.reset(raw);
    const Uint32 frame_bytes = source.channels * (SDL_AUDIO_BITSIZE(source.format) / 8U);
    m_output_frame = output.channels * (SDL_AUDIO_BITSIZE(output.format) / 8U);
    // The decoder may read more than the header said; what it made is checked again before
    // anything is sized from it.
    if (frame_bytes == 0 || m_output_frame == 0 || output.freq <= 0 || source.channels != header.channels ||
        source.freq != static_cast<int>(header.rate) || m_length > wav_decoded_limit ||
        m_length / frame_bytes > header.frames) {
        m_refusal = "decodes to more than its header declares";
        return;
    }
    m_stream.reset(SDL_NewAudioStream(source.format, source.channels, source.freq, output.format, output.channels, output.freq));
    if (!m_stream) {
        m_refusal = std::string("cannot be converted for the sound device: ") + SDL_GetError();
        return;
    }
    m_piece = static_cast<Uint32>(source.freq / 16) * frame_bytes;
    // The converter keeps its last few milliseconds back until more input arrives: a tenth of a
    // second of silence pushes them out, and the result is cut back to the sound's own length.
    m_padding.assign(static_cast<std::size_t>(source.freq / 10) * frame_bytes, source.format == AUDIO_U8 ? 0x80 : 0x00);
    const Uint64 frames = (static_cast<Uint64>(m_length / frame_bytes) * static_cast<Uint64>(output.freq) +
                           static_cast<Uint64>(source.freq) - 1) /
                          static_cast<Uint64>(source.freq);
    m_total = frames * m_output_frame;
    m_left = m_total;
}

void CueSamples::next(std::size_t frames, std::vector<Uint8>& piece) {
    if (!m_stream) {
        piece.clear();
        return;
    }
    const Uint64 wanted = std::min<Uint64>(static_cast<Uint64>(frames) * m_output_frame, m_left);
    piece.resize(static_cast<std::size_t>(wanted));
    bool fed = true;
    while (fed && !m_padding.empty() && static_cast<Uint64>(SDL_AudioStreamAvailable(m_stream.get())) < wanted) {
        if (m_put < m_length) {
            const Uint32 put = std::min(m_piece, m_length - m_put);
            fed = SDL_AudioStreamPut(m_stream.get(), m_samples.get() + m_put, static_cast<int>(put)) == 0;
            m_put += put;
        } else {
            fed = SDL_AudioStreamPut(m_stream.get(), m_padding.data(), static_cast<int>(m_padding.size())) == 0 &&
                  SDL_AudioStreamFlush(m_stream.get()) == 0;
            m_padding.clear();
        }
    }
    const int got = wanted > 0 && fed ? SDL_AudioStreamGet(m_stream.get(), piece.data(), static_cast<int>(wanted)) : 0;
    piece.resize(static_cast<std::size_t>(std::max(got, 0)));
    // A converter that fails or runs dry ends the sound.
    m_left = piece.empty() ? 0 : m_left - piece.size();
}

}  // namespace vex
