#include "bench/probes/frame_trace.h"

#include "platform/wav_header.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdlib>
#include <ctime>

namespace vex {

namespace {

#ifdef VEX_FRAME_TRACE
constexpr bool traced_build = true;
#else
constexpr bool traced_build = false;
#endif

std::uint64_t ns_of(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1'000'000'000U + static_cast<std::uint64_t>(now.tv_nsec);
}

unsigned long long now_ns() { return ns_of(CLOCK_MONOTONIC); }

unsigned long long cpu_ns() { return ns_of(CLOCK_PROCESS_CPUTIME_ID); }

}  // namespace

FrameTrace::FrameTrace() {
    const char* path = traced_build ? std::getenv("VEX_TRACE_FILE") : nullptr;
    if (path != nullptr && *path != '\0') {
        m_file = std::fopen(path, "w");
    }
}

FrameTrace::~FrameTrace() {
    if (m_file != nullptr) {
        std::fclose(m_file);
    }
}

void FrameTrace::loop_starting() {
    if (active()) {
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }
}

void FrameTrace::event_taken(const SDL_Event& event) {
    if (!active()) {
        return;
    }
    if (event.type == SDL_SYSWMEVENT && event.syswm.msg != nullptr && event.syswm.msg->subsystem == SDL_SYSWM_X11 &&
        event.syswm.msg->msg.x11.event.type == KeyPress) {
        m_server_ms = static_cast<std::uint32_t>(event.syswm.msg->msg.x11.event.xkey.time);
    } else if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
        std::fprintf(m_file, "key %u %llu %s\n", m_server_ms, now_ns(), SDL_GetKeyName(event.key.keysym.sym));
        m_server_ms = 0;
    }
}

void FrameTrace::tick_started(std::uint64_t tick) {
    if (active()) {
        std::fprintf(m_file, "tick %llu %llu\n", static_cast<unsigned long long>(tick), now_ns());
    }
}

void FrameTrace::frame_presented() {
    if (active()) {
        std::fprintf(m_file, "frame %llu\n", now_ns());
    }
}

void FrameTrace::cue_started(const std::filesystem::path& file) {
    if (active()) {
        begin("cue", wav_length_ms(file).value_or(0));
    }
}

void FrameTrace::cue_ended() { end("cue"); }

void FrameTrace::box_opening() { begin("box", 0); }

void FrameTrace::box_shown() { shown("box"); }

void FrameTrace::box_closed() { end("box"); }

void FrameTrace::window_shown() { shown("window"); }

// Lines the benchmark waits for are flushed at once.
void FrameTrace::shown(const char* window) {
    if (active()) {
        std::fprintf(m_file, "shown %s %llu\n", window, now_ns());
        std::fflush(m_file);
    }
}

void FrameTrace::begin(const char* what, double length_ms) {
    if (active()) {
        std::fprintf(m_file, "begin %s %llu %llu %.3f\n", what, now_ns(), cpu_ns(), length_ms);
    }
}

void FrameTrace::end(const char* what) {
    if (active()) {
        std::fprintf(m_file, "end %s %llu %llu\n", what, now_ns(), cpu_ns());
        std::fflush(m_file);
    }
}

}  // namespace vex
