#include "platform/record_file.h"

#include "platform/file_system.h"
#include "platform/paths.h"
#include "platform/regular_file.h"

#include <chrono>
#include <optional>

namespace vex {

namespace fs = std::filesystem;

using file_system::FileFacts;
using file_system::OpenFile;

namespace {

constexpr int max_link_hops = 40;
constexpr int max_name_tries = 100;

Failure failure(const std::string& doing, const fs::path& path, const std::error_code& error) {
    return {"cannot " + doing + " " + utf8_text(path) + ": " + error.message()};
}

Failure not_regular(const fs::path& path) { return {"cannot write " + utf8_text(path) + ": not a regular file"}; }

// The folder a file is in: its parent, or the current folder for a bare name.
fs::path folder_of(const fs::path& file) { return file.parent_path().empty() ? fs::path(".") : file.parent_path(); }

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

// Temporary files of a save are named ".<file>.saving-<unique>" and stay locked while the save
// runs; one that can be locked belongs to a save that died.
std::string temporary_prefix(const fs::path& file) { return "." + utf8_text(file.filename()) + ".saving-"; }

void remove_dead_temporaries(const fs::path& file) {
    const std::string prefix = temporary_prefix(file);
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_of(file), error)) {
        if (utf8_text(entry.path().filename()).starts_with(prefix)) {
            file_system::remove_if_unlocked(entry.path());
        }
    }
}

// A fresh name beside `file`, created exclusively (never through a link planted there).
OpenFile create_temporary(const fs::path& file, fs::path& temporary, std::error_code& error) {
    const auto seed = static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0;; ++attempt) {
        temporary = file.parent_path() / path_from_utf8(temporary_prefix(file) + std::to_string(file_system::process_id()) + "-" +
                                                         std::to_string(seed + attempt));
        OpenFile created = OpenFile::create_new(temporary, error);
        if (created.is_open() || error != std::errc::file_exists || attempt + 1 >= max_name_tries) {
            return created;
        }
    }
}

// Writes `bytes` whole into a fresh temporary file beside `file`, with `permissions`, synced, then
// gives it the file's name: renamed over the file, or, when `exclusive`, only where no file has
// that name (never taking the place of a file that appeared meanwhile). The temporary is removed
// when anything fails, the folder synced after. `old` describes the file replaced, whose owner
// the new one takes.
Status save_through_temporary(const fs::path& file, std::string_view bytes, std::uint32_t permissions,
                              const std::optional<FileFacts>& old, bool exclusive) {
    remove_dead_temporaries(file);
    fs::path temporary;
    std::error_code error;
    {
        OpenFile written = create_temporary(file, temporary, error);
        if (!written.is_open()) {
            return failure("create a temporary file beside", file, error);
        }
        if (old) {
            written.try_give_to(old->owner, old->group);
        }
        const auto fail = [&](const std::string& doing) {
            file_system::remove_name(temporary);
            return failure(doing, file, error);
        };
        if ((error = written.lock()) || (error = written.set_permissions(permissions)) ||
            (error = written.write_all(bytes)) || (error = written.sync())) {
            return fail("write");
        }
        if ((error = exclusive ? file_system::rename_unless_taken(temporary, file) : file_system::rename_over(temporary, file))) {
            return fail(exclusive ? "create" : "replace");
        }
    }
    if ((error = file_system::sync_folder(folder_of(file)))) {
        return failure("sync the folder of", file, error);
    }
    return {};
}

// `old` describes the file replaced, whose permissions and owner the new one takes; nullopt for
// a new file, which takes the usual 0666 less the creation mask.
Status replace(const fs::path& file, std::string_view bytes, const std::optional<FileFacts>& old) {
    const std::uint32_t permissions = old ? old->permissions : file_system::less_creation_mask(0666);
    return save_through_temporary(file, bytes, permissions, old, false);
}

Status rewrite_in_place(const fs::path& file, std::string_view bytes) {
    std::error_code error;
    OpenFile written = OpenFile::open_existing(file, error);
    if (!written.is_open()) {
        return failure("open", file, error);
    }
    if (!written.is_regular()) {
        return not_regular(file);
    }
    // The disk must hold the new bytes before any old one is overwritten: on a full disk the save
    // then fails with the old record whole instead of cutting it short.
    if ((error = written.reserve(bytes.size())) || (error = written.write_all(bytes)) ||
        (error = written.truncate(bytes.size())) || (error = written.sync())) {
        return failure("write", file, error);
    }
    return {};
}

}  // namespace

Result<std::string> read_record_file(const fs::path& path) {
    FileRead file = read_regular_file(path, record_file_limit);
    switch (file.status) {
    case FileRead::Status::Read:
        return std::move(file.bytes);
    case FileRead::Status::Missing:
        return std::string();
    default:
        return Failure{"cannot read " + utf8_text(path) + ": " + file.reason};
    }
}

Status write_record_file(const fs::path& path, std::string_view bytes) {
    const auto target = link_target(path);
    if (!target) {
        return Failure{"cannot follow the link " + utf8_text(path)};
    }
    std::error_code error;
    const auto facts = file_system::facts_of(*target, error);
    if (!facts) {
        return error == std::errc::no_such_file_or_directory ? replace(*target, bytes, std::nullopt)
                                                             : failure("reach", *target, error);
    }
    if (!facts->regular) {
        return not_regular(*target);
    }
    if ((error = file_system::check_writable(*target))) {
        return failure("write", *target, error);
    }
    if (facts->links > 1 || !file_system::folder_changeable(folder_of(*target))) {
        return rewrite_in_place(*target, bytes);
    }
    return replace(*target, bytes, facts);
}

Status create_record_file(const fs::path& path, std::string_view bytes) {
    return save_through_temporary(path, bytes, file_system::less_creation_mask(0644), std::nullopt, true);
}

}  // namespace vex
