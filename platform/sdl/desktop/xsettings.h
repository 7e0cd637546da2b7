// The settings an X11 desktop's settings daemon publishes (the XSETTINGS property of its
// selection owner), read from the property's bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace vex {

// The integer setting `name` (such as "Xft/DPI", dots per inch times 1024); nothing when it is
// absent, of another type, or the bytes are cut short or malformed.
std::optional<std::int32_t> xsettings_integer(std::span<const unsigned char> property, std::string_view name);

}  // namespace vex
