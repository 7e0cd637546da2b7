// The operating system's part of reading and saving the game's files: one implementation per
// system (file_system_posix.cpp, file_system_windows.cpp). What to do and what to tell the player
// is decided by the callers; errors come back as the system's own code, whose message is its own
// words ("Permission denied").
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace vex::file_system {

// What a save needs to know of a file already there.
struct FileFacts {
    bool regular = false;
    std::uintmax_t links = 1;
    std::uint32_t permissions = 0;
    std::uint32_t owner = 0;
    std::uint32_t group = 0;
};

// The file `path` stands for, following links; nullopt and `error` set when there is none or it
// cannot be reached.
std::optional<FileFacts> facts_of(const std::filesystem::path& path, std::error_code& error);

// Whether the program may write the file, and may create and remove names in the folder (by its
// effective ids, as opening would check).
std::error_code check_writable(const std::filesystem::path& file);
bool folder_changeable(const std::filesystem::path& folder);

// Whether the player running the program (by the real ids) may write `path`.
bool player_may_write(const std::filesystem::path& path);

// `permissions` less what the player's file-creation mask takes away.
std::uint32_t less_creation_mask(std::uint32_t permissions);

// This program's process id, to tell its temporary files from another's.
unsigned long process_id();

// A file open for writing, closed when it goes.
class OpenFile {
public:
    // A new file by that name only (never through a link planted there), for its owner alone.
    static OpenFile create_new(const std::filesystem::path& path, std::error_code& error);
    // A file that is there, not through a link and without waiting on a FIFO.
    static OpenFile open_existing(const std::filesystem::path& path, std::error_code& error);

    OpenFile(OpenFile&& other) noexcept;
    OpenFile& operator=(OpenFile&&) = delete;
    ~OpenFile();

    bool is_open() const { return m_handle >= 0; }
    bool is_regular() const;
    // Waits until no other save holds the file.
    std::error_code lock();
    // Only a privileged player can give a file away; anyone else owns it already, so a refusal
    // changes nothing.
    void try_give_to(std::uint32_t owner, std::uint32_t group);
    std::error_code set_permissions(std::uint32_t permissions);
    // Makes the disk hold `size` bytes for the file before any is written; a file system that
    // cannot tell in advance counts as done.
    std::error_code reserve(std::size_t size);
    std::error_code write_all(std::string_view bytes);
    std::error_code truncate(std::size_t size);
    std::error_code sync();

private:
    // A file descriptor, or a Windows handle, which is never -1 either when valid.
    explicit OpenFile(std::intptr_t handle) : m_handle(handle) {}
    std::intptr_t m_handle = -1;
};

std::error_code rename_over(const std::filesystem::path& from, const std::filesystem::path& to);
// Gives `from` the name `to` unless a file already has it.
std::error_code rename_unless_taken(const std::filesystem::path& from, const std::filesystem::path& to);
void remove_name(const std::filesystem::path& path);
std::error_code sync_folder(const std::filesystem::path& folder);
// Removes the regular file `path` unless a running save holds it locked.
void remove_if_unlocked(const std::filesystem::path& path);

}  // namespace vex::file_system
