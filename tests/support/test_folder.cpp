#include "tests/support/test_folder.h"

#include <fstream>
#include <iterator>

#include <unistd.h>

namespace vex::testing {

namespace fs = std::filesystem;

TestFolder::TestFolder(std::optional<std::string> scores) {
    static int counter = 0;
    m_path = fs::temp_directory_path() / ("vexoids-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_path);
    fs::create_directories(m_path);
    fs::copy(fs::path(VEX_DATA_DIR) / "pictures", m_path / "pictures", fs::copy_options::recursive);
    fs::copy(fs::path(VEX_DATA_DIR) / "sounds", m_path / "sounds", fs::copy_options::recursive);
    if (scores) {
        std::ofstream(m_path / "scores.dat", std::ios::binary) << *scores;
    }
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::optional<std::string> TestFolder::scores() const {
    std::ifstream in(m_path / "scores.dat", std::ios::binary);
    return in ? std::optional(std::string(std::istreambuf_iterator<char>(in), {})) : std::nullopt;
}

}  // namespace vex::testing
