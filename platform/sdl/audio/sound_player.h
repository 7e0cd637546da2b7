// Synchronous WAV playback through one SDL audio device, opened on first use and kept open, at
// the player's volume.
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

    // `volume` in percent; muted, a cue plays as silence.
    explicit SoundPlayer(int volume = 100, bool muted = false);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    // Plays the WAV file to its end before returning, unless the program is asked to quit
    // meanwhile. Returns at once when there is no audio device, the file is missing, or it is
    // refused; a refused file is named on standard error with the reason, once.
    // A quiet or muted cue takes exactly as long as a loud one: the pace of play depends on it.
    Outcome play(const std::filesystem::path& file);

    void toggle_mute() { m_muted = !m_muted; }

private:
    struct Device;
    Device* device();
    void tell_refused(const std::filesystem::path& file, const std::string& reason);

    std::unique_ptr<Device> m_device;
    bool m_tried = false;
    int m_volume;
    bool m_muted;
    std::set<std::filesystem::path> m_told;
};

}  // namespace vex
