// Synchronous WAV playback through one SDL audio device, opened on first use and kept open.
#pragma once

#include <filesystem>
#include <memory>
#include <set>

namespace vex {

class SoundPlayer {
public:
    enum class Outcome {
        Played,   // to its last sample
        Silent,   // no device, no file, or a file that is not played
        Stopped,  // cut short: the program was asked to quit while it played
    };

    SoundPlayer();
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays the WAV file to its end before returning, unless the program is asked to quit
    // meanwhile. Returns at once when there is no audio device, the file is missing, or it is
    // refused; a refused file is named on standard error with the reason, once.
    Outcome play(const std::filesystem::path& file);

private:
    struct Device;
    Device* device();
    void tell_refused(const std::filesystem::path& file, const std::string& reason);

    std::unique_ptr<Device> m_device;
    bool m_tried = false;
    std::set<std::filesystem::path> m_told;
};

}  // namespace vex
