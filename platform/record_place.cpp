#include "platform/record_place.h"

#include "platform/file_system.h"
#include "platform/record_file.h"
#include "platform/regular_file.h"

namespace vex {

namespace {

constexpr const char* record_name = "scores.dat";

// The player's first record: the shipped bytes, made whole or not at all, with the player's own
// mode whatever the installed file's. An empty file there stands for no record: the game never
// saves one (a record holds at least its quotes, comma and line end), and the copy of an older
// version leaves one when the disk was full; it is replaced. Anything else there, a record or a
// link, is never touched.
void seed_player_record(const std::filesystem::path& shipped, const std::filesystem::path& own) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(own, error);
    if (std::filesystem::is_regular_file(status) && std::filesystem::file_size(own, error) == 0 && !error) {
        std::filesystem::remove(own, error);
    } else if (std::filesystem::exists(status)) {
        return;
    }
    const FileRead seed = read_regular_file(shipped, record_file_limit);
    if (seed.status == FileRead::Status::Read) {
        // A seed that cannot be made now is tried again at the next start; until then the player
        // starts without a record, as on a first start.
        (void)create_record_file(own, seed.bytes);
    }
}

}  // namespace

bool record_writable_in(const std::filesystem::path& folder) {
    return file_system::player_may_write(folder) || file_system::player_may_write(folder / record_name);
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
    seed_player_record(program_folder / record_name, *folder / record_name);
    return *folder;
}

}  // namespace vex
