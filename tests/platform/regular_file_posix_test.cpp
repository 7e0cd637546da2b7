// Reading files the POSIX way: a file at the limit, the kernel's own files under /proc.
#include "platform/regular_file.h"
#include "tests/support/test_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vex {
namespace {

// A file of exactly the limit is read, one byte more is refused. The kernel's own files tell no size
// beforehand (0): read to their end within the limit, refused past it as a file that grew while it
// was read; a read that fails is reported, not retried.
TEST(RegularFile, ReadsAFileToItsEndWithinTheLimit) {
    using Status = FileRead::Status;
    const testing::TestFolder folder;
    std::ofstream(folder.path() / "sixteen", std::ios::binary) << "Name: sixteen by";
    const std::string sixteen = (folder.path() / "sixteen").string();
    const std::vector<std::tuple<std::string, std::size_t, Status, bool>> rows{
        {sixteen, 16, Status::Read, true}, {sixteen, 15, Status::TooLarge, false},
        // path, limit, outcome, whether the bytes hold the process's name (a refused file holds none)
        {"/proc/self/status", 1 << 20, Status::Read, true}, {"/proc/self/status", 16, Status::TooLarge, false},
        {"/proc/self/mem", 16, Status::Unreadable, false},   {"/proc/self", 16, Status::NotRegular, false},
        {"/proc/self/exe", 16, Status::TooLarge, false} /* this program */,
        {"/nonexistent/file", 16, Status::Missing, false},
    };
    for (const auto& [path, limit, status, named] : rows) {
        const FileRead file = read_regular_file(path, limit);
        EXPECT_EQ(std::make_pair(file.status, file.bytes.substr(0, 5)), std::make_pair(status, std::string(named ? "Name:" : "")))
            << path;
    }
}

}  // namespace
}  // namespace vex
