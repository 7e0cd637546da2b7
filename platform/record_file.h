// The record file read and written through the name the player gave it: a link stays a link, a
// file keeps its mode and its other names, and a file that could not be read is never replaced.
#pragma once

#include "platform/result.h"

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace vex {

// Far above any real record, so a long name still loads.
constexpr std::size_t record_file_limit = 64U << 20U;

// The file's bytes, empty when there is no file; a failure when a file is there but cannot be
// read (permissions, I/O error, too large) or is no regular file: then it must not be written
// either.
Result<std::string> read_record_file(const std::filesystem::path& path);

// Writes `bytes` as the whole file. Through a symbolic link the link's target is written. A file
// with other hard links, or in a folder that cannot be written, is rewritten in place (truncate,
// write, sync); otherwise a unique temporary file beside it is written, synced and renamed over
// it, and the folder synced, so the file always holds either the old or the new record. A file
// that cannot be written (read-only) or is no regular file is left alone. Temporary files left by
// a save that was killed are removed.
Status write_record_file(const std::filesystem::path& path, std::string_view bytes);

// Creates the file `path` holding `bytes`, whole or not at all (a temporary file beside it, synced,
// then given the name), with the player's own mode: 0644 less the umask. A file or link already
// there is never touched.
Status create_record_file(const std::filesystem::path& path, std::string_view bytes);

}  // namespace vex
