// What the loop and the boxes tell an onlooker such as the desktop benchmark's timing trace: the
// moments a frame, a key or a hold-up happens. The game runs with none.
#pragma once

#include <cstdint>
#include <filesystem>

union SDL_Event;

namespace vex {

class LoopObserver {
public:
    virtual ~LoopObserver() = default;

    // The form's window is open and its events are about to be taken.
    virtual void loop_starting() {}
    // Every event the loop takes, before it is routed.
    virtual void event_taken(const SDL_Event& /*event*/) {}
    // A new tick of the clock is being handled.
    virtual void tick_started(std::uint64_t /*tick*/) {}
    // A frame has been presented.
    virtual void frame_presented() {}
    // The game stands still for the sound in `file` until cue_ended.
    virtual void cue_started(const std::filesystem::path& /*file*/) {}
    virtual void cue_ended() {}
    // The game stands still for a box from box_opening until box_closed; box_shown once it is
    // mapped and drawn.
    virtual void box_opening() {}
    virtual void box_shown() {}
    virtual void box_closed() {}
};

}  // namespace vex
