// A failure the game does not handle itself. The backend reports it to the player in a message
// box and ends the program.
#pragma once

#include <stdexcept>
#include <string>

namespace vex {

class RuntimeError : public std::runtime_error {
public:
    explicit RuntimeError(const std::string& what) : std::runtime_error(what) {}
};

}  // namespace vex
