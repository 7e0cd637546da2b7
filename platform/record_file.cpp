#include "platform/record_file.h"

#include "platform/regular_file.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vex {

namespace fs = std::filesystem;

namespace {

constexpr int max_link_hops = 40;
constexpr int max_name_tries = 100;

std::string failure(const std::string& doing, const fs::path& path, int error = errno) {
    return "cannot " + doing + " " + path.string() + ": " + std::strerror(error);
}

// The regular file a name finally stands for, following symbolic links (also to a target that
// does not exist yet, which the save then creates).
std::optional<fs::path> link_target(fs::path path) {
    for (int hops = 0; hops < max_link_hops; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error))) {
            return path;
        }
        const fs::path next = fs::read_symlink(path, error);
        if (error) {
            return std::nullopt;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return std::nullopt;
}

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Temporary files of a save are named ".<file>.saving-<unique>" and stay locked while the save
// runs; one that can be locked belongs to a save that died.
std::string temporary_prefix(const fs::path& file) { return "." + file.filename().string() + ".saving-"; }

void remove_dead_temporaries(const fs::path& file) {
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return;
    }
    const std::string prefix = temporary_prefix(file);
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) != 0) {
            continue;
        }
        const fs::path leftover = folder / entry->d_name;
        const int fd = ::open(leftover.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            ::unlink(leftover.c_str());
        }
        ::close(fd);
    }
    ::closedir(dir);
}

// A fresh name beside `file`, created exclusively (never through a link planted there).
int create_temporary(const fs::path& file, fs::path& temporary) {
    const auto seed = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < max_name_tries; ++attempt) {
        temporary = file.parent_path() /
                    (temporary_prefix(file) + std::to_string(::getpid()) + "-" + std::to_string(seed + attempt));
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    errno = EEXIST;
    return -1;
}

bool sync_folder(const fs::path& file) {
    const fs::path folder = file.parent_path().empty() ? fs::path(".") : file.parent_path();
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

mode_t mode_less_umask(mode_t mode) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return mode & ~mask;
}

// Gives `from` the name `to` unless a file already has it. A file system that cannot rename
// without replacing (NFS) can still link, and one without links (vfat) can rename so.
bool rename_unless_taken(const fs::path& from, const fs::path& to) {
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return true;
    }
    if (errno != EINVAL || ::link(from.c_str(), to.c_str()) != 0) {
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

// Writes `bytes` whole into a fresh temporary file beside `file`, with `mode`, synced, then gives
// it the file's name: renamed over the file, or, when `exclusive`, only where no file has that
// name (never taking the place of a file that appeared meanwhile). The
// temporary is removed when anything fails, the folder synced after. `old` describes the file
// replaced, whose owner the new one takes.
std::optional<std::string> save_through_temporary(const fs::path& file, std::string_view bytes, mode_t mode,
                                                  const std::optional<struct stat>& old, bool exclusive) {
    remove_dead_temporaries(file);
    fs::path temporary;
    const int fd = create_temporary(file, temporary);
    if (fd < 0) {
        return failure("create a temporary file beside", file);
    }
    if (old) {
        // Only a privileged player can give the file back to its owner; anyone else owns it already.
        (void)::fchown(fd, old->st_uid, old->st_gid);
    }
    const auto fail = [&](const std::string& doing) {
        const int error = errno;
        ::unlink(temporary.c_str());
        ::close(fd);
        return failure(doing, file, error);
    };
    if (::flock(fd, LOCK_EX) != 0 || ::fchmod(fd, mode) != 0 || !write_all(fd, bytes) || ::fsync(fd) != 0) {
        return fail("write");
    }
    if (exclusive ? !rename_unless_taken(temporary, file) : ::rename(temporary.c_str(), file.c_str()) != 0) {
        return fail(exclusive ? "create" : "replace");
    }
    ::close(fd);
    if (!sync_folder(file)) {
        return failure("sync the folder of", file);
    }
    return std::nullopt;
}

// `old` describes the file replaced, whose mode and owner the new one takes; nullopt for a new
// file, which takes the usual 0666 less the umask.
std::optional<std::string> replace(const fs::path& file, std::string_view bytes, const std::optional<struct stat>& old) {
    const mode_t mode = old ? old->st_mode & 07777 : mode_less_umask(0666);
    return save_through_temporary(file, bytes, mode, old, false);
}

std::optional<std::string> rewrite_in_place(const fs::path& file, std::string_view bytes) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return failure("open", file);
    }
    struct stat info {};
    std::optional<std::string> result;
    // The disk must hold the new bytes before any old one is overwritten: on a full disk the save
    // then fails with the old record whole instead of cutting it short.
    const auto size = static_cast<off_t>(bytes.size());
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = "cannot write " + file.string() + ": not a regular file";
    } else if (const int error = ::posix_fallocate(fd, 0, size); error != 0 && error != EOPNOTSUPP) {
        result = failure("write", file, error);
    } else if (!write_all(fd, bytes) || ::ftruncate(fd, size) != 0 || ::fsync(fd) != 0) {
        result = failure("write", file);
    }
    ::close(fd);
    return result;
}

}  // namespace

RecordRead read_record_file(const fs::path& path) {
    FileRead file = read_regular_file(path, record_file_limit);
    switch (file.status) {
    case FileRead::Status::Read:
        return {std::move(file.bytes), std::nullopt};
    case FileRead::Status::Missing:
        return {};
    default:
        return {{}, "cannot read " + path.string() + ": " + file.reason};
    }
}

std::optional<std::string> write_record_file(const fs::path& path, std::string_view bytes) {
    const auto target = link_target(path);
    if (!target) {
        return "cannot follow the link " + path.string();
    }
    struct stat info {};
    if (::stat(target->c_str(), &info) != 0) {
        return errno == ENOENT ? replace(*target, bytes, std::nullopt) : failure("reach", *target);
    }
    if (!S_ISREG(info.st_mode)) {
        return "cannot write " + target->string() + ": not a regular file";
    }
    if (::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0) {
        return failure("write", *target);
    }
    const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
    if (info.st_nlink > 1 || ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        return rewrite_in_place(*target, bytes);
    }
    return replace(*target, bytes, info);
}

std::optional<std::string> create_record_file(const fs::path& path, std::string_view bytes) {
    return save_through_temporary(path, bytes, mode_less_umask(0644), std::nullopt, true);
}

}  // namespace vex
