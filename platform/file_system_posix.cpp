#include "platform/file_system.h"

#include <cerrno>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vex::file_system {

namespace {

std::error_code last_error(int error = errno) { return {error, std::system_category()}; }

std::error_code unless_zero(int result) { return result == 0 ? std::error_code{} : last_error(); }

// The descriptor an OpenFile holds, in the width it was made with.
int descriptor(std::intptr_t handle) { return static_cast<int>(handle); }

}  // namespace

std::optional<FileFacts> facts_of(const std::filesystem::path& path, std::error_code& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        error = last_error();
        return std::nullopt;
    }
    error.clear();
    return FileFacts{S_ISREG(info.st_mode), info.st_nlink, info.st_mode & 07777U, info.st_uid, info.st_gid};
}

std::error_code check_writable(const std::filesystem::path& file) {
    return unless_zero(::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS));
}

bool folder_changeable(const std::filesystem::path& folder) {
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

bool player_may_write(const std::filesystem::path& path) { return ::access(path.c_str(), W_OK) == 0; }

std::uint32_t less_creation_mask(std::uint32_t permissions) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return permissions & ~mask;
}

unsigned long process_id() { return static_cast<unsigned long>(::getpid()); }

OpenFile OpenFile::create_new(const std::filesystem::path& path, std::error_code& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    error = fd < 0 ? last_error() : std::error_code{};
    return OpenFile(fd);
}

OpenFile OpenFile::open_existing(const std::filesystem::path& path, std::error_code& error) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    error = fd < 0 ? last_error() : std::error_code{};
    return OpenFile(fd);
}

OpenFile::OpenFile(OpenFile&& other) noexcept : m_handle(other.m_handle) { other.m_handle = -1; }

OpenFile::~OpenFile() {
    if (m_handle >= 0) {
        ::close(descriptor(m_handle));
    }
}

bool OpenFile::is_regular() const {
    struct stat info {};
    return ::fstat(descriptor(m_handle), &info) == 0 && S_ISREG(info.st_mode);
}

std::error_code OpenFile::lock() { return unless_zero(::flock(descriptor(m_handle), LOCK_EX)); }

void OpenFile::try_give_to(std::uint32_t owner, std::uint32_t group) {
    (void)::fchown(descriptor(m_handle), owner, group);
}

std::error_code OpenFile::set_permissions(std::uint32_t permissions) {
    return unless_zero(::fchmod(descriptor(m_handle), permissions));
}

std::error_code OpenFile::reserve(std::size_t size) {
    const int error = ::posix_fallocate(descriptor(m_handle), 0, static_cast<off_t>(size));
    return error == 0 || error == EOPNOTSUPP ? std::error_code{} : last_error(error);
}

std::error_code OpenFile::write_all(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(descriptor(m_handle), bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return last_error();
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

std::error_code OpenFile::truncate(std::size_t size) {
    return unless_zero(::ftruncate(descriptor(m_handle), static_cast<off_t>(size)));
}

std::error_code OpenFile::sync() { return unless_zero(::fsync(descriptor(m_handle))); }

std::error_code rename_over(const std::filesystem::path& from, const std::filesystem::path& to) {
    return unless_zero(::rename(from.c_str(), to.c_str()));
}

// A file system that cannot rename without replacing (NFS) can still link, and one without links
// (vfat) can rename so.
std::error_code rename_unless_taken(const std::filesystem::path& from, const std::filesystem::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL || ::link(from.c_str(), to.c_str()) != 0) {
        return last_error();
    }
    ::unlink(from.c_str());
    return {};
}

void remove_name(const std::filesystem::path& path) { ::unlink(path.c_str()); }

std::error_code sync_folder(const std::filesystem::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return last_error();
    }
    const std::error_code error = unless_zero(::fsync(fd));
    ::close(fd);
    return error;
}

void remove_if_unlocked(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        ::unlink(path.c_str());
    }
    ::close(fd);
}

}  // namespace vex::file_system
