// The record file on Windows, case by case: what another program or the player did to the file
// (its read-only attribute, a handle held open with little or no sharing) and folders named in
// any letters.
#include "platform/record_file.h"
#include "platform/record_place.h"
#include "tests/support/game_fixture.h"
#include "tests/support/record_scenario.h"

#include <fstream>
#include <functional>
#include <optional>
#include <tuple>
#include <utility>

#include <windows.h>

namespace vex {
namespace {

namespace fs = std::filesystem;
using testing::file_bytes;
using testing::new_record;
using testing::old_record;
using testing::start_and_save;

// A handle on `file` as another program would hold it, with only the sharing given, closed when it
// goes; nothing when the file cannot be opened.
class HeldFile {
public:
    HeldFile(const fs::path& file, DWORD sharing)
        : m_handle(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr, OPEN_ALWAYS, 0, nullptr)) {}
    ~HeldFile() {
        if (m_handle != INVALID_HANDLE_VALUE) {
            CloseHandle(m_handle);
        }
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool held() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

bool read_only(const fs::path& file) { return (GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_READONLY) != 0; }

long entries(const fs::path& folder) { return static_cast<long>(std::distance(fs::directory_iterator(folder), {})); }

TEST(RecordFileOnWindows, EachKindOfFileIsReadAndSavedByItsOwnRule) {
    struct Row {
        const char* what;
        const char* folder_name;
        std::function<void(const fs::path&)> make;  // in the program folder, scores.dat holds old_record
        // A file held open through the game by another program, with the sharing it gives; none when
        // there is no name.
        std::pair<const char*, DWORD> held;
        const char* seen;
        const char* file_after;  // "old" or "new"
        std::function<bool(const fs::path&)> kept = {};
    };
    const std::pair<const char*, DWORD> not_held{nullptr, 0};
    const auto record_held = [](DWORD sharing) { return std::pair<const char*, DWORD>{"scores.dat", sharing}; };
    const auto file = [](const fs::path& folder) { return folder / "scores.dat"; };
    const auto nothing = [](const fs::path&) {};
    const std::vector<Row> rows{
        {"usual", "test", nothing, not_held, "1500,Ann boxes: name", "new",
         [&](const fs::path& f) { return entries(f) == 3 && !read_only(file(f)); }},
        {"in a folder named in other letters", "Zo\xC3\xAB Spiele Vexoids \xE6\x98\x9F", nothing, not_held,
         "1500,Ann boxes: name", "new", [&](const fs::path& f) { return entries(f) == 3; }},
        {"missing", "test", [&](const fs::path& f) { fs::remove(file(f)); }, not_held, "0, boxes: name", "new"},
        {"read-only", "test", [&](const fs::path& f) { SetFileAttributesW(file(f).c_str(), FILE_ATTRIBUTE_READONLY); },
         not_held, "1500,Ann boxes: name save", "old", [&](const fs::path& f) { return read_only(file(f)) && entries(f) == 3; }},
        {"held open by a program sharing it for reading alone", "test", nothing, record_held(FILE_SHARE_READ),
         "1500,Ann boxes: name save", "old", [&](const fs::path& f) { return entries(f) == 3; }},
        {"held open by a program sharing it for reading and writing, not renaming", "test", nothing,
         record_held(FILE_SHARE_READ | FILE_SHARE_WRITE), "1500,Ann boxes: name save", "old", [&](const fs::path& f) { return entries(f) == 3; }},
        {"held open by a program sharing it with no one", "test", nothing, record_held(0), "0, boxes: read name", "old"},
        // Windows replaces no file another program holds open, whatever it shares.
        {"held open by a program sharing everything", "test", nothing,
         record_held(FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE), "1500,Ann boxes: name save", "old",
         [&](const fs::path& f) { return entries(f) == 3; }},
        {"a folder", "test", [&](const fs::path& f) { fs::remove(file(f)); fs::create_directory(file(f)); }, not_held,
         "0, boxes: read name", "", [&](const fs::path& f) { return fs::is_directory(file(f)) && fs::is_empty(file(f)); }},
        {"beside the leftover of a killed save", "test",
         [&](const fs::path& f) { std::ofstream(f / ".scores.dat.saving-1-2") << "\"1\",\"half"; }, not_held,
         "1500,Ann boxes: name", "new", [&](const fs::path& f) { return entries(f) == 3; }},
        // A running save holds its temporary shared for reading and renaming, never for writing.
        {"beside the temporary of a save still running", "test",
         [&](const fs::path& f) { std::ofstream(f / ".scores.dat.saving-1-3") << "\"1\",\"half"; },
         {".scores.dat.saving-1-3", FILE_SHARE_READ | FILE_SHARE_DELETE},
         "1500,Ann boxes: name", "new", [&](const fs::path& f) { return entries(f) == 4; }},
    };
    const long files = testing::open_files();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const testing::TestFolder folder(old_record, row.folder_name);
        const fs::path path = folder.path();
        row.make(path);
        std::string seen;
        {
            std::optional<HeldFile> held;
            if (row.held.first != nullptr) {
                held.emplace(path / row.held.first, row.held.second);
                EXPECT_TRUE(held->held());
            }
            seen = start_and_save(path);
        }
        EXPECT_EQ(seen, row.seen);
        if (*row.file_after != '\0') {
            EXPECT_EQ(file_bytes(file(path)), *row.file_after == 'n' ? new_record : old_record);
        }
        EXPECT_TRUE(!row.kept || row.kept(path));
        SetFileAttributesW(file(path).c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    EXPECT_EQ(testing::open_files(), files) << "handles left open";
}

// A program folder the player cannot write (Program Files) sends the record to the player's own
// folder, under %APPDATA% in the player's name: seeded there once from the shipped record, then
// saved there.
TEST(RecordFileOnWindows, ThePlayersFolderInAnyLettersGetsTheShippedRecordOnce) {
    const std::vector<std::tuple<const char*, std::optional<std::string>, std::string>> rows{
        // the player's folder, the player's record before, the record after the first start
        {"Zo\xC3\xAB", std::nullopt, old_record},
        {"\xD0\x97\xD0\xBE\xD1\x8F \xE6\x98\x9F", std::nullopt, old_record},
        {"Zo\xC3\xAB", new_record, new_record},
    };
    for (const auto& [name, before, after] : rows) {
        SCOPED_TRACE(name);
        const testing::TestFolder program(old_record), player(before, name);
        EXPECT_EQ(choose_record_folder(program.path(), false, [&] { return std::optional(player.path()); }), player.path());
        EXPECT_EQ(player.scores(), after);
        EXPECT_EQ(start_and_save(player.path()), (after == old_record ? "1500,Ann" : "777,ann") + std::string(" boxes: name"));
        EXPECT_EQ(player.scores(), new_record);
        EXPECT_EQ(program.scores(), old_record);
    }
}

}  // namespace
}  // namespace vex
