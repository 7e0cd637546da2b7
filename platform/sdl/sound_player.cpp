#include "platform/sdl/sound_player.h"

#include "platform/regular_file.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/sound_convert.h"
#include "platform/wav_header.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

namespace vex {

namespace {

constexpr int device_rate = 44100;
constexpr Uint8 device_channels = 2;
// About 6 ms at 44.1 kHz: what the device holds once the queue is empty, so a cue ends within
// that of its last sample.
constexpr Uint16 device_frames = 256;

void sleep_ns(Uint64 ns) { std::this_thread::sleep_for(std::chrono::nanoseconds(ns)); }

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

std::optional<std::vector<Uint8>> convert_sound(std::string_view file, const SDL_AudioSpec& output) {
    if (!read_wav_header(file)) {
        return std::nullopt;
    }
    SDL_AudioSpec source{};
    Uint8* raw = nullptr;
    Uint32 length = 0;
    if (SDL_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1, &source, &raw, &length) == nullptr) {
        return std::nullopt;
    }
    const std::unique_ptr<Uint8, WavFree> samples(raw);
    const Uint32 frame_bytes = source.channels * (SDL_AUDIO_BITSIZE(source.format) / 8U);
    const Uint32 output_frame_bytes = output.channels * (SDL_AUDIO_BITSIZE(output.format) / 8U);
    // The decoder may read more than the header said; what it made is checked again before
    // anything is sized from it.
    if (frame_bytes == 0 || output_frame_bytes == 0 || source.channels > 8 || source.freq < 8000 || source.freq > 192000 ||
        output.freq <= 0 || length > wav_file_limit * 4) {
        return std::nullopt;
    }
    const AudioStreamHandle stream(
        SDL_NewAudioStream(source.format, source.channels, source.freq, output.format, output.channels, output.freq));
    // The resampler keeps its last few milliseconds back until more input arrives: a tenth of a
    // second of silence pushes them out, and the result is cut back to the sound's own length.
    const std::vector<Uint8> padding(static_cast<std::size_t>(source.freq / 10) * frame_bytes,
                                     source.format == AUDIO_U8 ? 0x80 : 0x00);
    if (!stream || SDL_AudioStreamPut(stream.get(), samples.get(), static_cast<int>(length)) != 0 ||
        SDL_AudioStreamPut(stream.get(), padding.data(), static_cast<int>(padding.size())) != 0 ||
        SDL_AudioStreamFlush(stream.get()) != 0) {
        return std::nullopt;
    }
    const Uint64 frames = (static_cast<Uint64>(length / frame_bytes) * static_cast<Uint64>(output.freq) +
                           static_cast<Uint64>(source.freq) - 1) /
                          static_cast<Uint64>(source.freq);
    std::vector<Uint8> converted(static_cast<std::size_t>(frames * output_frame_bytes));
    const int got = SDL_AudioStreamGet(stream.get(), converted.data(), static_cast<int>(converted.size()));
    if (got <= 0) {
        return std::nullopt;
    }
    converted.resize(static_cast<std::size_t>(got));
    return converted;
}

bool SoundPlayer::play(const std::filesystem::path& file) {
    Device* output = device();
    if (output == nullptr) {
        return false;
    }
    const FileRead read = read_regular_file(file, wav_file_limit);
    const auto converted = read.status == FileRead::Status::Read ? convert_sound(read.bytes, output->format) : std::nullopt;
    if (!converted || SDL_QueueAudio(output->id, converted->data(), static_cast<Uint32>(converted->size())) != 0) {
        return false;
    }
    const Uint32 got = static_cast<Uint32>(converted->size());
    const auto start = std::chrono::steady_clock::now();
    const auto ns_of_bytes = [&](Uint64 bytes) { return bytes * 1'000'000'000U / output->bytes_per_second(); };
    // Sleeps as long as the queued samples take to play, until the device has taken the last of
    // them; those then play out of its buffer, and the whole takes at least the sound's length.
    while (const Uint32 queued = SDL_GetQueuedAudioSize(output->id)) {
        sleep_ns(ns_of_bytes(queued));
    }
    const Uint64 buffer_ns = static_cast<Uint64>(output->format.samples) * 1'000'000'000U / static_cast<Uint64>(output->format.freq);
    const auto ends = std::max(std::chrono::steady_clock::now() + std::chrono::nanoseconds(buffer_ns),
                               start + std::chrono::nanoseconds(ns_of_bytes(got)));
    std::this_thread::sleep_until(ends);
    return true;
}

}  // namespace vex
