// Synchronous WAV playback through one SDL audio device, opened on first use and kept open.
#pragma once

#include <filesystem>
#include <memory>

namespace vex {

class SoundPlayer {
public:
    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays the WAV file to its end before returning. Returns false at once, silently, when there
    // is no audio device or the file cannot be read (or is no regular file) or decoded.
    bool play(const std::filesystem::path& file);

private:
    struct Device;
    Device* device();

    std::unique_ptr<Device> m_device;
    bool m_tried = false;
};

}  // namespace vex
