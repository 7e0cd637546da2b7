// A timing trace for the desktop benchmark (scripts/bench_desktop.sh): when each clock tick was
// handled, when frames and windows became visible, which keys arrived, what cues and boxes cost.
// Written only by a build configured with -DVEX_FRAME_TRACE=ON and only while VEX_TRACE_FILE
// names a file; otherwise every call returns at once. Times are CLOCK_MONOTONIC nanoseconds.
#pragma once

#include "platform/sdl/loop_observer.h"

#include <cstdint>
#include <cstdio>

namespace vex {

class FrameTrace : public LoopObserver {
public:
    FrameTrace();
    ~FrameTrace() override;
    FrameTrace(const FrameTrace&) = delete;
    FrameTrace& operator=(const FrameTrace&) = delete;

    // Whether a trace is being written.
    bool active() const { return m_file != nullptr; }

    // Asks SDL for the X server's own event times, so a key press is traced with the time the
    // server took it (milliseconds of CLOCK_MONOTONIC, as Xvfb counts) beside the time it was
    // handled.
    void loop_starting() override;
    // Key presses are traced.
    void event_taken(const SDL_Event& event) override;
    void tick_started(std::uint64_t tick) override;
    void frame_presented() override;
    // The process's CPU time is written beside both ends of a cue or a box, and a cue's sound's
    // own length beside its start.
    void cue_started(const std::filesystem::path& file) override;
    void cue_ended() override;
    void box_opening() override;
    void box_shown() override;
    void box_closed() override;
    // A program's main window is mapped and its first frame drawn.
    void window_shown();

private:
    void shown(const char* window);
    void begin(const char* what, double length_ms);
    void end(const char* what);

    std::FILE* m_file = nullptr;
    // SDL queues the server's event just before the key press it turns into.
    std::uint32_t m_server_ms = 0;
};

}  // namespace vex
