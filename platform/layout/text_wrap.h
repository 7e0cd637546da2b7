// Breaking a caption into lines that fit a label's width.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// Width in pixels of a piece of text as drawn.
using TextMeasure = std::function<int(std::string_view)>;

// Greedy word wrap at spaces: each line takes as many words as fit in `width`. A word wider than
// `width` stands on a line of its own (and is clipped when drawn). Always at least one line.
std::vector<std::string> wrap_words(std::string_view text, int width, const TextMeasure& measure);

}  // namespace vex
