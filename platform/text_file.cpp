#include "platform/text_file.h"

#include "platform/numbers.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

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

std::optional<std::string> read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return std::nullopt;
    }
    return content.str();
}

std::optional<std::string> write_file_atomically(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path temporary = path.string() + ".new";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return "cannot create " + temporary.string() + ": " + std::strerror(errno);
    }
    const auto fail = [&](const char* doing) {
        const std::string reason = std::strerror(errno);
        ::close(fd);
        std::remove(temporary.c_str());
        return std::string("cannot ") + doing + " " + temporary.string() + ": " + reason;
    };
    std::size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + written, bytes.size() - written);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail("write");
        }
        written += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0) {
        return fail("flush");
    }
    if (::close(fd) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return "cannot close " + temporary.string() + ": " + reason;
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        const std::string reason = std::strerror(errno);
        std::remove(temporary.c_str());
        return "cannot replace " + path.string() + ": " + reason;
    }
    return std::nullopt;
}

}  // namespace vex
