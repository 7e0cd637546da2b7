#include "platform/regular_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vex {

namespace {

FileRead failed(FileRead::Status status, std::string reason) { return {status, {}, std::move(reason)}; }

FileRead failed_with_errno() {
    const int error = errno;
    return failed(error == ENOENT || error == ENOTDIR ? FileRead::Status::Missing : FileRead::Status::Unreadable,
                  std::strerror(error));
}

}  // namespace

FileRead read_regular_file(const std::filesystem::path& path, std::size_t max_bytes) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return failed_with_errno();
    }
    if (!S_ISREG(info.st_mode)) {
        return failed(FileRead::Status::NotRegular, "not a regular file");
    }
    // O_NONBLOCK: should a FIFO take the file's place after the check, opening it does not wait
    // for a writer; fstat below then turns it away.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        return failed_with_errno();
    }
    FileRead result;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result = failed(FileRead::Status::NotRegular, "not a regular file");
    } else if (static_cast<std::size_t>(info.st_size) > max_bytes) {
        result = failed(FileRead::Status::TooLarge, "larger than " + std::to_string(max_bytes) + " bytes");
    } else {
        result.status = FileRead::Status::Read;
        // One byte beyond the limit tells a file that grew while it was read.
        result.bytes.resize(std::min(max_bytes, static_cast<std::size_t>(info.st_size)) + 1);
        std::size_t got = 0;
        while (true) {
            if (got == result.bytes.size()) {
                if (got > max_bytes) {
                    result = failed(FileRead::Status::TooLarge, "larger than " + std::to_string(max_bytes) + " bytes");
                    break;
                }
                result.bytes.resize(std::min(max_bytes + 1, got * 2));
            }
            const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n < 0) {
                result = failed(FileRead::Status::Unreadable, std::strerror(errno));
                break;
            }
            if (n == 0) {
                result.bytes.resize(got);
                break;
            }
            got += static_cast<std::size_t>(n);
        }
    }
    ::close(fd);
    return result;
}

}  // namespace vex
