// The playfield's extent as the falling things see it.
#pragma once

namespace vex {

// A Vexoid, the boss or a star streak whose top passes this line starts again at the top.
constexpr float playfield_bottom = 8000;

}  // namespace vex
