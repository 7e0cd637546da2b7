// How the game's code reports a failure the player is told about: a function returns a Result,
// either the value it made or the reason it could not ("Permission denied"). Faults that end the
// game are thrown as RuntimeError instead.
#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

namespace vex {

// Why something could not be done, in words fit for a message to the player.
struct Failure {
    std::string reason;
};

template <class T = std::monostate>
class [[nodiscard]] Result {
public:
    Result() requires std::is_same_v<T, std::monostate> = default;
    // Implicit, so that a function returns its value or a Failure as it is.
    Result(T value) : m_state(std::move(value)) {}
    Result(Failure failure) : m_state(std::move(failure)) {}

    bool ok() const { return m_state.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only when ok().
    const T& value() const& { return std::get<0>(m_state); }
    T&& value() && { return std::get<0>(std::move(m_state)); }

    // Only when not ok().
    const std::string& reason() const { return std::get<1>(m_state).reason; }

private:
    std::variant<T, Failure> m_state;
};

// A Result that carries no value: done, or the reason it was not.
using Status = Result<>;

}  // namespace vex
