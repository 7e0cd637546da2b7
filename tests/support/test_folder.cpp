#include "tests/support/test_folder.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include <unistd.h>

namespace vex::testing {

namespace fs = std::filesystem;

TestFolder::TestFolder(std::optional<std::string> scores, bool with_sounds) {
    static int counter = 0;
    m_path = fs::temp_directory_path() /
             ("vexoids-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(m_path);
    fs::create_directories(m_path);
    const fs::path data = VEX_DATA_DIR;
    if (with_sounds) {
        fs::copy(data / "sounds", m_path / "sounds", fs::copy_options::recursive);
    }
    fs::copy(data / "pictures", m_path / "pictures", fs::copy_options::recursive);
    if (scores) {
        write_scores(*scores);
    }
}

TestFolder::~TestFolder() {
    std::error_code ignored;
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(m_path, ignored);
}

std::optional<std::string> TestFolder::scores() const {
    std::ifstream in(scores_path(), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

void TestFolder::write_scores(const std::string& bytes) const {
    std::ofstream out(scores_path(), std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out) {
        throw std::runtime_error("cannot write " + scores_path().string());
    }
}

}  // namespace vex::testing
