#include "platform/sdl/frame_trace.h"

#include <SDL.h>
#include <SDL_syswm.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace vex::trace {

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

std::uint64_t now_ns() { return ns_of(CLOCK_MONOTONIC); }

class TraceFile {
public:
    TraceFile() {
        const char* path = traced_build ? std::getenv("VEX_TRACE_FILE") : nullptr;
        if (path != nullptr && *path != '\0') {
            m_file = std::fopen(path, "w");
        }
    }
    ~TraceFile() {
        if (m_file != nullptr) {
            std::fclose(m_file);
        }
    }
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    std::FILE* get() const { return m_file; }

private:
    std::FILE* m_file = nullptr;
};

std::FILE* file() {
    static TraceFile trace;
    return trace.get();
}

}  // namespace

bool active() { return file() != nullptr; }

void tick(std::uint64_t tick) {
    if (std::FILE* out = file()) {
        std::fprintf(out, "tick %llu %llu\n", static_cast<unsigned long long>(tick),
                     static_cast<unsigned long long>(now_ns()));
    }
}

void frame() {
    if (std::FILE* out = file()) {
        std::fprintf(out, "frame %llu\n", static_cast<unsigned long long>(now_ns()));
    }
}

// Lines the benchmark waits for are flushed at once.
void shown(const char* window) {
    if (std::FILE* out = file()) {
        std::fprintf(out, "shown %s %llu\n", window, static_cast<unsigned long long>(now_ns()));
        std::fflush(out);
    }
}

void begin(const char* what, double length_ms) {
    if (std::FILE* out = file()) {
        std::fprintf(out, "begin %s %llu %llu %.3f\n", what, static_cast<unsigned long long>(now_ns()),
                     static_cast<unsigned long long>(ns_of(CLOCK_PROCESS_CPUTIME_ID)), length_ms);
    }
}

void end(const char* what) {
    if (std::FILE* out = file()) {
        std::fprintf(out, "end %s %llu %llu\n", what, static_cast<unsigned long long>(now_ns()),
                     static_cast<unsigned long long>(ns_of(CLOCK_PROCESS_CPUTIME_ID)));
        std::fflush(out);
    }
}

void watch_server_times() {
    if (active()) {
        SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
    }
}

void event(const SDL_Event& event) {
    std::FILE* out = file();
    if (out == nullptr) {
        return;
    }
    // SDL queues the server's event just before the key press it turns into.
    static std::uint32_t server_ms = 0;
    if (event.type == SDL_SYSWMEVENT && event.syswm.msg != nullptr && event.syswm.msg->subsystem == SDL_SYSWM_X11 &&
        event.syswm.msg->msg.x11.event.type == KeyPress) {
        server_ms = static_cast<std::uint32_t>(event.syswm.msg->msg.x11.event.xkey.time);
    } else if (event.type == SDL_KEYDOWN && event.key.repeat == 0) {
        std::fprintf(out, "key %u %llu %s\n", server_ms, static_cast<unsigned long long>(now_ns()),
                     SDL_GetKeyName(event.key.keysym.sym));
        server_ms = 0;
    }
}

}  // namespace vex::trace
