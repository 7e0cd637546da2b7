// SDL's video, started with the hints the game's windows need and on a driver that can show them.
#pragma once

#include <string>

namespace vex {

// Owns the video subsystem for as long as the runtime lives. A driver that shows nothing (SDL's
// offscreen and dummy drivers, its last resort without a display) is taken only when asked for by
// name: otherwise the player would wait on windows nobody can see.
class VideoSubsystem {
public:
    VideoSubsystem();
    ~VideoSubsystem();
    VideoSubsystem(const VideoSubsystem&) = delete;
    VideoSubsystem& operator=(const VideoSubsystem&) = delete;

    // Whether windows can be opened and seen.
    bool ready() const { return m_ready && m_problem.empty(); }
    // Why not, in one line.
    const std::string& problem() const { return m_problem; }

private:
    bool m_ready = false;
    std::string m_problem;
};

}  // namespace vex
