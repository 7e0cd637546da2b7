// Which of SDL's video drivers are worth trying where the game starts.
#pragma once

#include <string>
#include <vector>

namespace vex {

// Whether a Wayland client can reach a compositor by the environment given (each nullptr when
// unset): a socket handed over, an absolute socket path, or a socket name in the user's runtime
// folder. Without any, the Wayland library says so on standard error itself, before the game can
// say in its own words that no display answered.
bool wayland_reachable(const char* wayland_socket, const char* wayland_display, const char* runtime_dir);

// `drivers` joined with commas, leaving out `unwanted`: a list SDL tries in that order.
std::string drivers_except(const std::vector<std::string>& drivers, const std::string& unwanted);

}  // namespace vex
