// Reading files on Windows: devices by their reserved names, folders, files other programs hold,
// names in any letters.
#include "platform/paths.h"
#include "platform/regular_file.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <vector>

#include <windows.h>

namespace vex {
namespace {

namespace fs = std::filesystem;

TEST(RegularFileOnWindows, ReadsOnlyARegularFileWithinTheLimit) {
    using Status = FileRead::Status;
    const testing::TestFolder folder("\"1500\",\"Ann\"\r\n", "Zo\xC3\xAB");
    const fs::path record = folder.path() / "scores.dat";
    const fs::path named = folder.path() / path_from_utf8("\xE6\x98\x9F.dat");
    std::ofstream(named, std::ios::binary) << "star";
    const std::vector<std::tuple<const char*, fs::path, std::size_t, DWORD, Status, std::string>> rows{
        // what, path, limit, sharing of a handle another program holds (~0 for none), outcome, bytes
        {"a record", record, 64, ~0UL, Status::Read, "\"1500\",\"Ann\"\r\n"},
        {"a record at exactly the limit", record, 14, ~0UL, Status::Read, "\"1500\",\"Ann\"\r\n"},
        {"a record one byte past the limit", record, 13, ~0UL, Status::TooLarge, ""},
        {"a name in other letters", named, 64, ~0UL, Status::Read, "star"},
        {"a record another program writes, sharing it", record, 64, FILE_SHARE_READ | FILE_SHARE_WRITE, Status::Read,
         "\"1500\",\"Ann\"\r\n"},
        {"a record another program holds alone", record, 64, 0, Status::Unreadable, ""},
        {"the null device", "NUL", 64, ~0UL, Status::NotRegular, ""},
        {"a folder", folder.path() / "pictures", 64, ~0UL, Status::NotRegular, ""},
        {"no file", folder.path() / "none.dat", 64, ~0UL, Status::Missing, ""},
        {"no folder", folder.path() / "none" / "none.dat", 64, ~0UL, Status::Missing, ""},
    };
    for (const auto& [what, path, limit, sharing, status, bytes] : rows) {
        SCOPED_TRACE(what);
        const HANDLE held = sharing == ~0UL ? INVALID_HANDLE_VALUE
                                            : CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, sharing, nullptr,
                                                          OPEN_EXISTING, 0, nullptr);
        EXPECT_EQ(held == INVALID_HANDLE_VALUE, sharing == ~0UL);
        const FileRead file = read_regular_file(path, limit);
        if (held != INVALID_HANDLE_VALUE) {
            CloseHandle(held);
        }
        EXPECT_EQ(std::make_pair(file.status, file.bytes), std::make_pair(status, bytes));
        EXPECT_EQ(file.reason.empty(), status == Status::Read) << file.reason;
    }
}

}  // namespace
}  // namespace vex
