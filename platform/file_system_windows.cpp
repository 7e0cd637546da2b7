#include "platform/file_system.h"

#include "platform/windows_errors.h"

#include <limits>

#include <windows.h>

namespace vex::file_system {

namespace {

// Windows files have no mode bits: the read-only attribute is all there is of them.
constexpr std::uint32_t writable_mode = 0666;
constexpr std::uint32_t read_only_mode = 0444;

HANDLE native(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::error_code unless_failed(BOOL succeeded) { return succeeded ? std::error_code{} : last_windows_error(); }

// Every other program may go on reading, writing and renaming what we look at.
constexpr DWORD share_all = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool regular(const BY_HANDLE_FILE_INFORMATION& info) {
    constexpr DWORD other_kinds = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE;
    return (info.dwFileAttributes & other_kinds) == 0;
}

bool regular_handle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileType(handle) == FILE_TYPE_DISK && GetFileInformationByHandle(handle, &info) && regular(info);
}

// A folder can be changed when a file can be made in it: Windows decides by the folder's access
// list, which no attribute tells. The probe goes when its handle closes.
bool can_create_in(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / (".vexoids-probe-" + std::to_string(GetCurrentProcessId()));
    const HANDLE made = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (made == INVALID_HANDLE_VALUE) {
        return false;
    }
    CloseHandle(made);
    return true;
}

}  // namespace

std::optional<FileFacts> facts_of(const std::filesystem::path& path, std::error_code& error) {
    // Backup semantics: a folder opens too, and is told apart below.
    const HANDLE file = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, share_all, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = last_windows_error();
        return std::nullopt;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    const bool disk = GetFileType(file) == FILE_TYPE_DISK;
    error = known ? std::error_code{} : last_windows_error();
    CloseHandle(file);
    if (!known) {
        return std::nullopt;
    }
    const bool read_only = (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    return FileFacts{disk && regular(info), info.nNumberOfLinks, read_only ? read_only_mode : writable_mode, 0, 0};
}

// Read-only, or held open by a program that shares it with no writer (an editor, a backup), the
// file cannot be saved over: asked now, the save leaves the old record alone.
std::error_code check_writable(const std::filesystem::path& file) {
    const DWORD attributes = GetFileAttributesW(file.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return last_windows_error();
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return windows_error(ERROR_ACCESS_DENIED);
    }
    const HANDLE opened =
        CreateFileW(file.c_str(), GENERIC_WRITE | DELETE, share_all, nullptr, OPEN_EXISTING, 0, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return last_windows_error();
    }
    CloseHandle(opened);
    return {};
}

bool folder_changeable(const std::filesystem::path& folder) { return can_create_in(folder); }

bool player_may_write(const std::filesystem::path& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return false;
    }
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ? can_create_in(path) : !check_writable(path);
}

// Windows has no creation mask: a new file takes its folder's access list.
std::uint32_t less_creation_mask(std::uint32_t permissions) { return permissions; }

unsigned long process_id() { return GetCurrentProcessId(); }

// Shared for reading and renaming but for no writer: a save that runs holds its temporary so, and
// remove_if_unlocked, which asks to be alone with the file, leaves it.
OpenFile OpenFile::create_new(const std::filesystem::path& path, std::error_code& error) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    error = file == INVALID_HANDLE_VALUE ? last_windows_error() : std::error_code{};
    return OpenFile(reinterpret_cast<std::intptr_t>(file));
}

// A link is opened as itself, and so turned away as not regular.
OpenFile OpenFile::open_existing(const std::filesystem::path& path, std::error_code& error) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    error = file == INVALID_HANDLE_VALUE ? last_windows_error() : std::error_code{};
    return OpenFile(reinterpret_cast<std::intptr_t>(file));
}

OpenFile::OpenFile(OpenFile&& other) noexcept : m_handle(other.m_handle) { other.m_handle = -1; }

OpenFile::~OpenFile() {
    if (m_handle >= 0) {
        CloseHandle(native(m_handle));
    }
}

bool OpenFile::is_regular() const { return regular_handle(native(m_handle)); }

// The sharing mode the file was created with is its lock already.
std::error_code OpenFile::lock() { return {}; }

// A new file is its creator's on Windows, and only an administrator could give it away.
void OpenFile::try_give_to(std::uint32_t /*owner*/, std::uint32_t /*group*/) {}

// A read-only record is never saved over (check_writable), so every file written stays writable.
std::error_code OpenFile::set_permissions(std::uint32_t /*permissions*/) { return {}; }

std::error_code OpenFile::reserve(std::size_t size) {
    FILE_ALLOCATION_INFO allocation{};
    allocation.AllocationSize.QuadPart = static_cast<LONGLONG>(size);
    if (SetFileInformationByHandle(native(m_handle), FileAllocationInfo, &allocation, sizeof allocation)) {
        return {};
    }
    const DWORD error = GetLastError();
    return error == ERROR_DISK_FULL || error == ERROR_HANDLE_DISK_FULL ? windows_error(error) : std::error_code{};
}

std::error_code OpenFile::write_all(std::string_view bytes) {
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), std::numeric_limits<DWORD>::max()));
        DWORD written = 0;
        if (!WriteFile(native(m_handle), bytes.data(), chunk, &written, nullptr)) {
            return last_windows_error();
        }
        bytes.remove_prefix(written);
    }
    return {};
}

std::error_code OpenFile::truncate(std::size_t size) {
    LARGE_INTEGER end{};
    end.QuadPart = static_cast<LONGLONG>(size);
    const HANDLE file = native(m_handle);
    return unless_failed(SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file));
}

std::error_code OpenFile::sync() { return unless_failed(FlushFileBuffers(native(m_handle))); }

std::error_code rename_over(const std::filesystem::path& from, const std::filesystem::path& to) {
    return unless_failed(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
}

std::error_code rename_unless_taken(const std::filesystem::path& from, const std::filesystem::path& to) {
    return unless_failed(MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_WRITE_THROUGH));
}

void remove_name(const std::filesystem::path& path) { DeleteFileW(path.c_str()); }

// The renames above return once the folder's new entry is on the disk (write-through).
std::error_code sync_folder(const std::filesystem::path& /*folder*/) { return {}; }

// Opening a file with no sharing at all fails while a save holds it.
void remove_if_unlocked(const std::filesystem::path& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return;
    }
    if (regular_handle(file)) {
        FILE_DISPOSITION_INFO disposition{TRUE};
        SetFileInformationByHandle(file, FileDispositionInfo, &disposition, sizeof disposition);
    }
    CloseHandle(file);
}

}  // namespace vex::file_system
