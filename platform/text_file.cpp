#include "platform/text_file.h"

#include "platform/numbers.h"

namespace vex {

namespace {

constexpr char32_t replacement = 0xFFFD;
constexpr char32_t first_high_surrogate = 0xD800, first_low_surrogate = 0xDC00, past_surrogates = 0xE000;

void append_utf8(std::string& text, char32_t c) {
    const auto byte = [&](char32_t bits) { text.push_back(static_cast<char>(bits)); };
    if (c < 0x80) {
        byte(c);
    } else if (c < 0x800) {
        byte(0xC0 | c >> 6);
        byte(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        byte(0xE0 | c >> 12);
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    } else {
        byte(0xF0 | c >> 18);
        byte(0x80 | (c >> 12 & 0x3F));
        byte(0x80 | (c >> 6 & 0x3F));
        byte(0x80 | (c & 0x3F));
    }
}

std::string from_utf16(std::string_view bytes, bool big_endian) {
    const auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(big_endian ? first << 8 | second : second << 8 | first);
    };
    std::string text;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= first_high_surrogate && c < first_low_surrogate && i + 3 < bytes.size()) {
            const char32_t low = unit(i + 2);
            if (low >= first_low_surrogate && low < past_surrogates) {
                c = 0x10000 + ((c - first_high_surrogate) << 10) + (low - first_low_surrogate);
                i += 2;
            }
        }
        append_utf8(text, c >= first_high_surrogate && c < past_surrogates ? replacement : c);
    }
    if (bytes.size() % 2 != 0) {
        append_utf8(text, replacement);
    }
    return text;
}

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

std::string decode_text(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) {
        return std::string(bytes.substr(3));
    }
    if (bytes.starts_with("\xFF\xFE")) {
        return from_utf16(bytes.substr(2), false);
    }
    if (bytes.starts_with("\xFE\xFF")) {
        return from_utf16(bytes.substr(2), true);
    }
    return std::string(bytes);
}

}  // namespace vex
