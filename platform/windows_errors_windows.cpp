#include "platform/windows_errors.h"

#include <string>

#include <windows.h>

namespace vex {

namespace {

// GCC 12's system_category() on MinGW tells Windows' codes in C library words, mostly "Unknown
// error": this category asks Windows itself, in UTF-8 for the boxes.
class WindowsCategory : public std::error_category {
public:
    const char* name() const noexcept override { return "windows"; }

    std::string message(int code) const override {
        wchar_t* text = nullptr;
        const DWORD length = FormatMessageW(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
            static_cast<DWORD>(code), MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0, nullptr);
        std::wstring wide(text != nullptr ? text : L"", length);
        LocalFree(text);
        // The system's sentences end in a full stop and a line end; a box adds its own.
        while (!wide.empty() && (wide.back() == L'\n' || wide.back() == L'\r' || wide.back() == L'.')) {
            wide.pop_back();
        }
        if (wide.empty()) {
            return "Windows error " + std::to_string(code);
        }
        const int size = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<std::size_t>(size), '\0');
        WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), size, nullptr, nullptr);
        return utf8;
    }

    std::error_condition default_error_condition(int code) const noexcept override {
        switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return std::errc::no_such_file_or_directory;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return std::errc::file_exists;
        case ERROR_ACCESS_DENIED:
            return std::errc::permission_denied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return std::errc::device_or_resource_busy;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return std::errc::no_space_on_device;
        default:
            return {code, *this};
        }
    }
};

}  // namespace

std::error_code windows_error(unsigned long code) {
    static const WindowsCategory category;
    return {static_cast<int>(code), category};
}

std::error_code last_windows_error() { return windows_error(GetLastError()); }

}  // namespace vex
