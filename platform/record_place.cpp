#include "platform/record_place.h"

#include <unistd.h>

namespace vex {

namespace {

constexpr const char* record_name = "scores.dat";

}  // namespace

bool record_writable_in(const std::filesystem::path& folder) {
    return ::access(folder.c_str(), W_OK) == 0 || ::access((folder / record_name).c_str(), W_OK) == 0;
}

std::filesystem::path choose_record_folder(const std::filesystem::path& program_folder, bool writable,
                                           const std::function<std::optional<std::filesystem::path>()>& player_folder) {
    if (writable) {
        return program_folder;
    }
    const auto folder = player_folder();
    if (!folder) {
        return program_folder;
    }
    std::error_code error;
    const auto shipped = program_folder / record_name;
    const auto own = *folder / record_name;
    // A player's record, or anything else under that name (a link), is never replaced by the seed.
    if (!std::filesystem::exists(std::filesystem::symlink_status(own, error)) &&
        std::filesystem::is_regular_file(shipped, error)) {
        std::filesystem::copy_file(shipped, own, std::filesystem::copy_options::skip_existing, error);
    }
    return *folder;
}

}  // namespace vex
