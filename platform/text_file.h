// Small text files read and written whole.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vex {

// Reads up to `count` items of free-format input: a quoted item gives its text without the
// quotes (commas inside kept); an unquoted item runs to the next comma or line end, blanks around
// it skipped, and a number among them gives its plain decimal text. Fewer items than asked are
// returned when the text ends first.
std::vector<std::string> parse_items(std::string_view text, std::size_t count);

// The whole file, or nullopt when it cannot be read.
std::optional<std::string> read_file(const std::filesystem::path& path);

// Replaces the file with `bytes` so that it always holds either its old or its new content:
// writes a temporary file beside it, flushes it to disk and renames it over the old one.
// Returns an explanation of the failure, or nullopt on success.
std::optional<std::string> write_file_atomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vex
