#include "platform/sdl/sound_player.h"

#include "platform/sdl/sdl_handles.h"

#include <vector>

namespace vex {

namespace {

constexpr int device_rate = 44100;
constexpr Uint8 device_channels = 2;
// About 23 ms at 44.1 kHz: short enough that a sound ends close to when its samples do.
constexpr Uint16 device_frames = 1024;
constexpr Uint32 wait_step_ms = 2;

struct WavFree {
    void operator()(Uint8* buffer) const { SDL_FreeWAV(buffer); }
};

}  // namespace

struct SoundPlayer::Device {
    SDL_AudioDeviceID id = 0;
    SDL_AudioSpec format{};

    Device() {
        // Audio starts on its own, so a machine without sound still has its window.
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            return;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = device_rate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = device_channels;
        wanted.samples = device_frames;
        id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &format, SDL_AUDIO_ALLOW_ANY_CHANGE);
        if (id == 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return;
        }
        SDL_PauseAudioDevice(id, 0);
    }

    ~Device() {
        if (id != 0) {
            SDL_CloseAudioDevice(id);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
    }

    Device(const Device&) = delete;
    Device& operator=(const Device&) = delete;

    Uint32 bytes_per_second() const {
        return static_cast<Uint32>(format.freq) * format.channels * (SDL_AUDIO_BITSIZE(format.format) / 8U);
    }
};

SoundPlayer::SoundPlayer() = default;
SoundPlayer::~SoundPlayer() = default;

SoundPlayer::Device* SoundPlayer::device() {
    if (!m_tried) {
        m_tried = true;
        auto opened = std::make_unique<Device>();
        if (opened->id != 0) {
            m_device = std::move(opened);
        }
    }
    return m_device.get();
}

bool SoundPlayer::play(const std::filesystem::path& file) {
    Device* output = device();
    if (output == nullptr) {
        return false;
    }
    SDL_AudioSpec source{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV(file.c_str(), &source, &raw, &length) == nullptr) {
        return false;
    }
    const std::unique_ptr<Uint8, WavFree> samples(raw);
    const AudioStreamHandle stream(SDL_NewAudioStream(source.format, source.channels, source.freq, output->format.format,
                                                      output->format.channels, output->format.freq));
    // The resampler keeps its last few milliseconds back until more input arrives: a tenth of a
    // second of silence pushes them out, and the result is cut back to the sound's own length.
    const Uint32 frame_bytes = source.channels * (SDL_AUDIO_BITSIZE(source.format) / 8U);
    const std::vector<Uint8> padding(static_cast<std::size_t>(source.freq / 10) * frame_bytes,
                                     source.format == AUDIO_U8 ? 0x80 : 0x00);
    if (!stream || frame_bytes == 0 || source.freq <= 0 || SDL_AudioStreamPut(stream.get(), samples.get(), static_cast<int>(length)) != 0 ||
        SDL_AudioStreamPut(stream.get(), padding.data(), static_cast<int>(padding.size())) != 0 ||
        SDL_AudioStreamFlush(stream.get()) != 0) {
        return false;
    }
    const Uint32 output_frame_bytes = output->bytes_per_second() / static_cast<Uint32>(output->format.freq);
    const Uint64 frames = (static_cast<Uint64>(length / frame_bytes) * static_cast<Uint64>(output->format.freq) +
                           static_cast<Uint64>(source.freq) - 1) /
                          static_cast<Uint64>(source.freq);
    std::vector<Uint8> converted(static_cast<std::size_t>(frames * output_frame_bytes));
    const int got = SDL_AudioStreamGet(stream.get(), converted.data(), static_cast<int>(converted.size()));
    if (got <= 0 || SDL_QueueAudio(output->id, converted.data(), static_cast<Uint32>(got)) != 0) {
        return false;
    }
    const Uint64 start = SDL_GetTicks64();
    const Uint64 sound_ms = static_cast<Uint64>(got) * 1000U / output->bytes_per_second();
    // An empty queue only means the device took the last samples; they still have to play out.
    while (SDL_GetQueuedAudioSize(output->id) > 0 || SDL_GetTicks64() - start < sound_ms) {
        SDL_Delay(wait_step_ms);
    }
    SDL_Delay(static_cast<Uint32>(output->format.samples) * 1000U / static_cast<Uint32>(output->format.freq));
    return true;
}

}  // namespace vex
