// Reading the files the game opens. Only regular files are read, and only up to a size the
// caller names: a FIFO, a device or a folder in a file's place is never opened for reading, so it
// can neither stall the game nor flood its memory.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace vex {

struct FileRead {
    enum class Status {
        Read,        // `bytes` holds the whole file
        Missing,     // no file by that name
        NotRegular,  // a FIFO, device, socket or folder
        TooLarge,    // larger than the caller's limit
        Unreadable,  // permissions or an I/O error
    };
    Status status = Status::Missing;
    std::string bytes;
    // Why the file was not read, for a message ("Permission denied", "not a regular file", ...).
    std::string reason;
};

FileRead read_regular_file(const std::filesystem::path& path, std::size_t max_bytes);

}  // namespace vex
