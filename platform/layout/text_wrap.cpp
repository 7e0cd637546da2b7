#include "platform/layout/text_wrap.h"

namespace vex {

std::vector<std::string> wrap_words(std::string_view text, int width, const TextMeasure& measure) {
    std::vector<std::string> lines;
    std::string line;
    bool line_has_word = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t space = text.find(' ', start);
        const std::size_t end = space == std::string_view::npos ? text.size() : space;
        const std::string_view word = text.substr(start, end - start);
        if (!line_has_word) {
            line = word;
            line_has_word = true;
        } else {
            std::string candidate = line + ' ';
            candidate += word;
            if (measure(candidate) <= width) {
                line = std::move(candidate);
            } else {
                lines.push_back(std::move(line));
                line = word;
            }
        }
        start = end + 1;
    }
    lines.push_back(std::move(line));
    return lines;
}

}  // namespace vex
