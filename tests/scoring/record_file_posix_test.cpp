// The record file case by case, as a player without special rights meets it, and a save killed
// at any moment.
#include "platform/record_file.h"
#include "platform/record_place.h"
#include "tests/support/game_fixture.h"
#include "tests/support/record_scenario.h"

#include <chrono>
#include <csignal>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>

#include <pwd.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vex {
namespace {

namespace fs = std::filesystem;
using testing::file_bytes;
using testing::new_record;
using testing::old_record;
using testing::start_and_save;

// Runs `action` with the file rights of the user nobody when this process is root (root ignores
// permission bits), handing the folder over to that user first, and with the usual umask.
void as_player(const fs::path& folder, const std::function<void()>& action) {
    const passwd* nobody = ::getpwnam("nobody");
    const bool drop = ::geteuid() == 0 && nobody != nullptr;
    if (drop) {
        for (const auto& entry : fs::recursive_directory_iterator(folder)) {
            EXPECT_EQ(::lchown(entry.path().c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        }
        EXPECT_EQ(::chown(folder.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
        ::setfsgid(nobody->pw_gid);
        ::setfsuid(nobody->pw_uid);
    }
    const mode_t umask = ::umask(022);
    action();
    ::umask(umask);
    if (drop) {
        ::setfsuid(0);
        ::setfsgid(0);
    }
}

TEST(RecordFile, EachKindOfFileIsReadAndSavedByItsOwnRule) {
    struct Row {
        const char* what;
        std::function<void(const fs::path&)> make;  // in the program folder, scores.dat holds old_record
        const char* seen;
        const char* file_after;  // "old" or "new": the bytes read through the name scores.dat
        std::function<bool(const fs::path&)> kept = {};  // empty when there is nothing more to check
        std::function<void(const std::function<void()>&)> around = [](const std::function<void()>& run) { run(); };
    };
    // The program started with its standard input closed, so a file it opens may get descriptor 0.
    const auto without_stdin = [](const std::function<void()>& run) {
        const int saved = ::dup(0);
        ::close(0);
        run();
        ::dup2(saved, 0);
        ::close(saved);
    };
    const auto file = [](const fs::path& folder) { return folder / "scores.dat"; };
    const auto set_mode = [&](mode_t mode) { return [=](const fs::path& folder) { fs::permissions(file(folder), fs::perms(mode)); }; };
    const auto hard_link = [&](const fs::path& f) { fs::create_hard_link(file(f), f / "other.dat"); };
    const auto holds_new = [](const char* name) { return [=](const fs::path& f) { return file_bytes(f / name) == new_record; }; };
    // scores.dat the first of `links` links in a chain that ends at real.dat
    const auto chain_of_links = [&](int links) {
        return [=](const fs::path& f) {
            fs::rename(file(f), f / "real.dat");
            for (int i = 0; i < links; ++i) {
                fs::create_symlink(i + 1 < links ? "link" + std::to_string(i + 1) : "real.dat", i == 0 ? file(f) : f / ("link" + std::to_string(i)));
            }
        };
    };
    const std::vector<Row> rows{
        {"missing", [&](const fs::path& f) { fs::remove(file(f)); }, "0, boxes: name", "new",
         [&](const fs::path& f) { return fs::status(file(f)).permissions() == fs::perms(0644); }},
        {"unreadable", set_mode(0200), "0, boxes: read name", "old"},
        {"a FIFO", [&](const fs::path& f) { fs::remove(file(f)); ::mkfifo(file(f).c_str(), 0666); }, "0, boxes: read name", "",
         [&](const fs::path& f) { return fs::is_fifo(file(f)); }},
        {"a folder", [&](const fs::path& f) { fs::remove(file(f)); fs::create_directory(file(f)); }, "0, boxes: read name", "",
         [&](const fs::path& f) { return fs::is_empty(file(f)); }},
        {"a link to a regular file",
         [&](const fs::path& f) {
             fs::create_directory(f / "keep");
             fs::rename(file(f), f / "keep" / "real.dat");
             fs::create_symlink("keep/real.dat", file(f));
         },
         "1500,Ann boxes: name", "new",
         [&](const fs::path& f) { return fs::is_symlink(file(f)) && holds_new("keep/real.dat")(f); }},
        {"hard-linked, on a full disk", hard_link, "1500,Ann boxes: name save", "", {},
         [](const std::function<void()>& run) { EXPECT_TRUE(testing::with_full_disk(4, run)); }},
        {"usual, with standard input closed", [](const fs::path&) {}, "1500,Ann boxes: name", "new", {}, without_stdin},
        {"hard-linked, with standard input closed", hard_link, "1500,Ann boxes: name", "new", holds_new("other.dat"), without_stdin},
        {"at the end of 39 links", chain_of_links(39), "1500,Ann boxes: name", "new", holds_new("real.dat")},
        {"at the end of 40 links, too many to follow in a save", chain_of_links(40), "1500,Ann boxes: name save", "old"},
        {"read-only", set_mode(0444), "1500,Ann boxes: name save", "old"},
        {"writable in a read-only folder", [&](const fs::path& f) { fs::permissions(f, fs::perms(0555)); }, "1500,Ann boxes: name",
         "new", [&](const fs::path& f) { return std::distance(fs::directory_iterator(f), {}) == 3; }},
        {"shared, beside the leftover of a killed save",
         [&](const fs::path& f) {
             fs::permissions(file(f), fs::perms(0666));
             std::ofstream(f / ".scores.dat.saving-1-2") << "\"1\",\"half";
         },
         "1500,Ann boxes: name", "new",
         [&](const fs::path& f) {
             return fs::status(file(f)).permissions() == fs::perms(0666) && std::distance(fs::directory_iterator(f), {}) == 3;
         }},
    };
    const long files = testing::open_files();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const testing::TestFolder folder(old_record);
        const fs::path path = folder.path();
        row.make(path);
        std::string seen;
        row.around([&] { as_player(path, [&] { seen = start_and_save(path); }); });
        EXPECT_EQ(seen, row.seen);
        fs::permissions(path, fs::perms(0755));
        if (*row.file_after != '\0') {
            EXPECT_EQ(file_bytes(file(path)), *row.file_after == 'n' ? new_record : old_record);
        }
        EXPECT_TRUE(!row.kept || row.kept(path));
    }
    EXPECT_EQ(testing::open_files(), files) << "files left open";
}

// An installed game's first start, by a player who cannot write the install, copies the shipped
// record into the player's data folder: whole or not at all, with the player's own mode whatever
// the installed file's, and never over a record of the player's. A second start with room on the
// disk makes what the first could not.
TEST(RecordFile, ThePlayersFirstRecordIsTheShippedOneWholeWithThePlayersMode) {
    struct Row {
        const char* what;
        mode_t shipped_mode, umask;
        std::optional<std::string> before;  // the player's scores.dat (mode 0600), or none
        std::size_t room;                   // what a file may take at the first start; 0 for no limit
        std::optional<std::string> after_first, after_second;
        mode_t mode;  // of the player's scores.dat at the end
    };
    const std::vector<Row> rows{
        {"read-only install", 0444, 022, std::nullopt, 0, old_record, old_record, 0644},
        {"read-only install, private umask", 0444, 077, std::nullopt, 0, old_record, old_record, 0600},
        {"group-writable install", 0664, 002, std::nullopt, 0, old_record, old_record, 0644},
        {"full disk", 0444, 022, std::nullopt, 4, std::nullopt, old_record, 0644},
        {"empty, left by a full disk", 0444, 022, "", 0, old_record, old_record, 0644},
        {"empty, and the disk still full", 0444, 022, "", 4, std::nullopt, old_record, 0644},
        {"the player's own", 0444, 022, new_record, 0, new_record, new_record, 0600},
        {"the player's own, on a full disk", 0444, 022, new_record, 4, new_record, new_record, 0600},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const testing::TestFolder program(old_record), player(row.before);
        const fs::path own = player.path() / "scores.dat";
        fs::permissions(program.path() / "scores.dat", fs::perms(row.shipped_mode));
        fs::permissions(program.path(), fs::perms(0555));
        if (row.before) {
            fs::permissions(own, fs::perms(0600));
        }
        const auto start = [&](std::size_t room) {
            as_player(player.path(), [&] {
                const mode_t usual = ::umask(row.umask);
                const auto choose = [&] {
                    EXPECT_EQ(choose_record_folder(program.path(), false, [&] { return std::optional(player.path()); }), player.path());
                };
                if (room == 0) {
                    choose();
                } else {
                    EXPECT_TRUE(testing::with_full_disk(room, choose));
                }
                EXPECT_EQ(::umask(usual), row.umask) << "the player's umask changed";
            });
            return file_bytes(own);
        };
        // Nothing is written beside a record the player has, not even for a moment.
        const auto folder_time = fs::last_write_time(player.path()) - std::chrono::hours(1);
        fs::last_write_time(player.path(), folder_time);
        EXPECT_EQ(start(row.room), row.after_first) << "first start";
        EXPECT_EQ(std::distance(fs::directory_iterator(player.path()), {}), row.after_first ? 3 : 2) << "files left by the first start";
        EXPECT_EQ(fs::last_write_time(player.path()) == folder_time, row.before.value_or("") == new_record);
        EXPECT_EQ(start(0), row.after_second) << "second start";
        const auto octal = [](fs::perms mode) { return (std::ostringstream() << std::oct << static_cast<unsigned>(mode)).str(); };
        EXPECT_EQ(octal(fs::status(own).permissions()), octal(fs::perms(row.mode)));
        EXPECT_EQ(std::distance(fs::directory_iterator(player.path()), {}), 3) << "files left beside the record";
        fs::permissions(program.path(), fs::perms(0755));
        EXPECT_EQ(program.scores(), old_record);
    }
}

// A record is created only where no name is: otherwise, even for a link to nowhere (which a rename
// would replace), the creation fails and leaves all as it was.
TEST(RecordFile, ACreatedRecordNeverTakesThePlaceOfAnotherName) {
    const std::vector<std::tuple<const char*, std::function<fs::path(const fs::path&)>, const char*, std::optional<std::string>>> rows{
        // what is there, made in a folder; the reason the creation gives ("" for none); what the
        // name reads then
        {"nothing", [](const fs::path& f) { return f / "scores.dat"; }, "", new_record},
        {"a record",
         [](const fs::path& f) {
             std::ofstream(f / "scores.dat") << old_record;
             return f / "scores.dat";
         },
         "File exists", old_record},
        {"a link to nowhere",
         [](const fs::path& f) {
             fs::create_symlink("nowhere", f / "scores.dat");
             return f / "scores.dat";
         },
         "File exists", std::nullopt},
        {"no folder", [](const fs::path& f) { return f / "gone" / "scores.dat"; }, "No such file or directory", std::nullopt},
    };
    for (const auto& [what, make, reason, after] : rows) {
        SCOPED_TRACE(what);
        const testing::TestFolder folder(std::nullopt);
        const fs::path path = make(folder.path());
        const auto status_before = fs::symlink_status(path).type();
        const Status created = create_record_file(path, new_record);
        EXPECT_EQ(created.ok(), *reason == '\0');
        const std::string said = created ? std::string() : created.reason();
        EXPECT_NE(said.find(reason), std::string::npos) << (created ? "created" : said);
        EXPECT_EQ(file_bytes(path), after);
        EXPECT_EQ(fs::symlink_status(path).type(), *reason == '\0' ? fs::file_type::regular : status_before);
        EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2 + fs::exists(fs::symlink_status(path)))
            << "files left beside the record";
    }
}

// A save killed at any moment leaves the old record or the new one, whole; the next save clears
// what the killed ones left.
TEST(RecordFile, ASaveKilledAtAnyMomentLeavesOneWholeRecord) {
    const testing::TestFolder folder(old_record);
    const fs::path file = folder.path() / "scores.dat";
    const std::string long_record = "\"123456789\",\"" + std::string(20000, 'z') + "\"\r\n";
    int kills_mid_save = 0;
    for (int round = 0; round < 200; ++round) {
        const pid_t saver = ::fork();
        if (saver == 0) {
            for (int i = 0;; ++i) {
                (void)write_record_file(file, i % 2 == 0 ? long_record : old_record);
            }
        }
        ::usleep(static_cast<useconds_t>(round * 7919 % 3000));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const Result<std::string> after = read_record_file(file);
        ASSERT_TRUE(after && (after.value() == old_record || after.value() == long_record))
            << "round " << round << ": " << (after ? std::to_string(after.value().size()) + " bytes" : after.reason());
        kills_mid_save += std::distance(fs::directory_iterator(folder.path()), {}) > 3;
    }
    EXPECT_GT(kills_mid_save, 0) << "no kill came during a save";
    EXPECT_TRUE(write_record_file(file, new_record).ok());
    EXPECT_EQ(folder.scores(), new_record);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 3) << "leftovers of the killed saves";
}

// A hard-linked record is rewritten in place. On a disk that is really full (a tmpfs of two pages
// in a mount namespace of the test's own, where the test may mount one), a record longer than the
// room left fails to save and leaves the old one whole.
TEST(RecordFile, AFullDiskLeavesARecordRewrittenInPlaceWhole) {
    const testing::TestFolder folder(std::nullopt);
    const fs::path disk = folder.path() / "disk";
    fs::create_directory(disk);
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=8k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here: " << std::strerror(errno);
    }
    const std::string old_long = "\"1500\",\"" + std::string(3000, 'A') + "\"\r\n";
    std::ofstream(disk / "scores.dat", std::ios::binary) << old_long;
    fs::create_hard_link(disk / "scores.dat", disk / "other.dat");
    std::ofstream(disk / "filler", std::ios::binary) << std::string(8192, 'x');
    EXPECT_EQ(fs::space(disk).available, 0U);
    EXPECT_FALSE(write_record_file(disk / "scores.dat", "\"1600\",\"" + std::string(6000, 'B') + "\"\r\n").ok());
    const std::string after = file_bytes(disk / "other.dat").value_or("");
    EXPECT_TRUE(after == old_long) << "the old record was overwritten; " << after.size() << " bytes are left";
    ::umount2(disk.c_str(), MNT_DETACH);
}

}  // namespace
}  // namespace vex
