#include "platform/sdl/audio/sound_player.h"

#include "platform/paths.h"
#include "platform/sdl/audio/alsa_messages.h"
#include "platform/sdl/quit_request.h"
#include "platform/sdl/sdl_handles.h"
#include "platform/sdl/audio/sound_convert.h"
#include "platform/wav_header.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <optional>
#include <thread>
#include <vector>

namespace vex {

namespace {

constexpr int device_rate = 44100;
constexpr Uint8 device_channels = 2;
// About 6 ms at 44.1 kHz: what the device holds once the queue is empty, so a cue ends within
// that of its last sample.
constexpr Uint16 device_frames = 256;
// How far ahead of the device a cue is converted and queued, and how often a playing cue looks
// for a request to quit.
constexpr auto queued_ahead = std::chrono::milliseconds(250);
constexpr auto watch_interval = std::chrono::milliseconds(20);

using Clock = std::chrono::steady_clock;

}  // namespace

struct SoundPlayer::Device {
    SDL_AudioDeviceID id = 0;
    SDL_AudioSpec format{};

    Device() {
        silence_alsa_messages();
        // Audio starts on its own, so a machine without sound still has its window.
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            tell_silent();
            return;
        }
        SDL_AudioSpec wanted{};
        wanted.freq = device_rate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = device_channels;
        wanted.samples = device_frames;
        id = SDL_OpenAudioDevice(nullptr, 0, &wanted, &format, SDL_AUDIO_ALLOW_ANY_CHANGE);
        if (id == 0) {
            tell_silent();
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

    static void tell_silent() { std::cerr << "No sound device (" << SDL_GetError() << "): the game plays without sound.\n"; }

    std::chrono::nanoseconds time_of(Uint64 bytes) const {
        const Uint64 per_second = static_cast<Uint64>(format.freq) * format.channels * (SDL_AUDIO_BITSIZE(format.format) / 8U);
        return std::chrono::nanoseconds(bytes * 1'000'000'000U / per_second);
    }

    // Sleeps until `until`, or less when the program is asked to quit; true when it was.
    static bool quit_before(Clock::time_point until) {
        while (!quit_requested()) {
            const auto now = Clock::now();
            if (now >= until) {
                return false;
            }
            std::this_thread::sleep_until(std::min(until, now + watch_interval));
        }
        return true;
    }

    // Scales a piece to `loudness` (0 to SDL_MIX_MAXVOLUME) where the samples are queued, so
    // its length, and the time it holds the game, stay the same.
    void scale(std::vector<Uint8>& piece, int loudness) const {
        if (loudness >= SDL_MIX_MAXVOLUME) {
            return;
        }
        std::vector<Uint8> quieter(piece.size(), format.silence);
        if (loudness > 0) {
            SDL_MixAudioFormat(quieter.data(), piece.data(), format.format, static_cast<Uint32>(piece.size()), loudness);
        }
        piece.swap(quieter);
    }

    // Keeps a quarter second of the cue queued until all of it is, then waits until the device
    // has played it: the whole takes at least the sound's length.
    Outcome play(CueSamples& cue, int loudness) {
        const auto start = Clock::now();
        const Uint64 ahead = static_cast<Uint64>(queued_ahead.count()) * static_cast<Uint64>(format.freq) / 1000U;
        std::vector<Uint8> piece;
        bool fed = false;
        while (true) {
            Uint64 queued = SDL_GetQueuedAudioSize(id);
            while (!fed && time_of(queued) < queued_ahead) {
                cue.next(static_cast<std::size_t>(ahead / 4), piece);
                scale(piece, loudness);
                fed = piece.empty() || SDL_QueueAudio(id, piece.data(), static_cast<Uint32>(piece.size())) != 0;
                queued += piece.size();
            }
            if (queued == 0) {
                break;
            }
            if (quit_before(Clock::now() + std::min<std::chrono::nanoseconds>(time_of(queued) / 2, watch_interval))) {
                SDL_ClearQueuedAudio(id);
                return Outcome::Stopped;
            }
        }
        const auto buffer = std::chrono::nanoseconds(static_cast<Uint64>(format.samples) * 1'000'000'000U / static_cast<Uint64>(format.freq));
        if (quit_before(std::max(Clock::now() + buffer, start + time_of(cue.total_bytes())))) {
            return Outcome::Stopped;
        }
        return Outcome::Played;
    }
};

SoundPlayer::SoundPlayer(int volume, bool muted) : m_volume(volume), m_muted(muted) {}
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

void SoundPlayer::tell_refused(const std::filesystem::path& file, const std::string& reason) {
    if (m_told.insert(file).second) {
        std::cerr << "Sound " << utf8_text(file) << " is not played: " << reason << '\n';
    }
}

SoundPlayer::Outcome SoundPlayer::play(const std::filesystem::path& file) {
    Device* output = device();
    if (output == nullptr) {
        return Outcome::Silent;
    }
    std::optional<CueSamples> cue;
    {
        // The file's bytes are let go once decoded.
        FileRead read = read_wav_file(file);
        if (read.status == FileRead::Status::Missing) {
            return Outcome::Silent;
        }
        if (read.status != FileRead::Status::Read) {
            tell_refused(file, read.reason);
            return Outcome::Silent;
        }
        cue.emplace(read.bytes, output->format);
    }
    if (!cue->refusal().empty()) {
        tell_refused(file, cue->refusal());
        return Outcome::Silent;
    }
    return output->play(*cue, m_muted ? 0 : m_volume * SDL_MIX_MAXVOLUME / 100);
}

}  // namespace vex
