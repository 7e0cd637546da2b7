#include "platform/text_file.h"

#include "platform/numbers.h"


namespace vex {

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_line_end(char c) { return c == '\r' || c == '\n'; }

}  // namespace

std::vector<std::string> parse_items(std::string_view text, std::size_t count) {
    std::vector<std::string> items;
    std::size_t i = 0;
    while (items.size() < count) {
        while (i < text.size() && (is_blank(text[i]) || is_line_end(text[i]))) {
            ++i;
        }
        if (i >= text.size()) {
            break;
        }
        std::string item;
        if (text[i] == '"') {
            const std::size_t close = text.find('"', i + 1);
            const std::size_t end = close == std::string_view::npos ? text.size() : close;
            item = text.substr(i + 1, end - i - 1);
            i = close == std::string_view::npos ? text.size() : close + 1;
            while (i < text.size() && is_blank(text[i])) {
                ++i;
            }
        } else {
            const std::size_t start = i;
            while (i < text.size() && text[i] != ',' && !is_line_end(text[i])) {
                ++i;
            }
            std::string_view raw = text.substr(start, i - start);
            while (!raw.empty() && is_blank(raw.back())) {
                raw.remove_suffix(1);
            }
            const auto number = parse_number(raw);
            item = number ? format_number(*number) : std::string(raw);
        }
        // One separator ends the item: a comma, or a line end (CR LF counts as one).
        if (i < text.size() && text[i] == ',') {
            ++i;
        } else if (i < text.size() && text[i] == '\r') {
            ++i;
            if (i < text.size() && text[i] == '\n') {
                ++i;
            }
        } else if (i < text.size() && text[i] == '\n') {
            ++i;
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace vex
