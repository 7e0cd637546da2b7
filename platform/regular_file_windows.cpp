#include "platform/regular_file.h"

#include "platform/windows_errors.h"

#include <algorithm>

#include <windows.h>

namespace vex {

namespace {

FileRead failed(FileRead::Status status, std::string reason) { return {status, {}, std::move(reason)}; }

FileRead failed_with_last_error() {
    const DWORD error = GetLastError();
    const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return failed(missing ? FileRead::Status::Missing : FileRead::Status::Unreadable, windows_error(error).message());
}

FileRead too_large(std::size_t max_bytes) {
    return failed(FileRead::Status::TooLarge, "larger than " + std::to_string(max_bytes) + " bytes");
}

// Reads at most `max_bytes` and one more, which tells a file that grew since its size was taken.
FileRead read_open_file(HANDLE file, std::size_t size, std::size_t max_bytes) {
    FileRead result;
    result.status = FileRead::Status::Read;
    result.bytes.resize(std::min(max_bytes, size) + 1);
    std::size_t got = 0;
    while (true) {
        if (got == result.bytes.size()) {
            if (got > max_bytes) {
                return too_large(max_bytes);
            }
            result.bytes.resize(std::min(max_bytes + 1, got * 2));
        }
        const auto wanted = static_cast<DWORD>(std::min<std::size_t>(result.bytes.size() - got, 1U << 30U));
        DWORD n = 0;
        if (!ReadFile(file, result.bytes.data() + got, wanted, &n, nullptr)) {
            return failed_with_last_error();
        }
        if (n == 0) {
            result.bytes.resize(got);
            return result;
        }
        got += n;
    }
}

}  // namespace

FileRead read_regular_file(const std::filesystem::path& path, std::size_t max_bytes) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return failed_with_last_error();
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return failed(FileRead::Status::NotRegular, "not a regular file");
    }
    // Shared with every other program: a record another program holds open is still read.
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return failed_with_last_error();
    }
    FileRead result;
    LARGE_INTEGER size{};
    // A pipe or a device (CON, NUL) by the file's name is no file on a disk.
    if (GetFileType(file) != FILE_TYPE_DISK) {
        result = failed(FileRead::Status::NotRegular, "not a regular file");
    } else if (!GetFileSizeEx(file, &size)) {
        result = failed_with_last_error();
    } else if (static_cast<unsigned long long>(size.QuadPart) > max_bytes) {
        result = too_large(max_bytes);
    } else {
        result = read_open_file(file, static_cast<std::size_t>(size.QuadPart), max_bytes);
    }
    CloseHandle(file);
    return result;
}

}  // namespace vex
