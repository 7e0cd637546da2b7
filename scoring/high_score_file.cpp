#include "platform/paths.h"
#include "platform/record_file.h"
#include "platform/text_file.h"
#include "shell/form1.h"

#include <algorithm>

namespace vex {

std::filesystem::path Form1::record_path() { return native_path(runtime().record_folder(), "\\scores.dat"); }

// A missing or damaged file gives no record; the file itself is left alone until a new record
// replaces it. A file an editor saved with a byte-order mark (UTF-8 or UTF-16) is read as its text. A file that is there but cannot be read is never replaced this session.
void Form1::LoadHighScore() {
    const Result<std::string> file = read_record_file(record_path());
    if (!file && !m_record_unusable) {
        m_record_unusable = file.reason();
    }
    const auto items = parse_items(decode_text(file ? file.value() : std::string()), 2);
    if (items.size() < 2) {
        lblHiscore.Caption = "0";
        lblHiscoren.Caption = "";
        return;
    }
    lblHiscore.Caption = items[0];
    lblHiscoren.Caption = items[1];
}

// One line of two quoted fields ended by CR LF, e.g. "1230","ann". Fields are not escaped, so a
// double quote in the name is stored as a single quote to keep the record readable.
void Form1::SaveHighScore() {
    if (m_record_unusable) {
        return;
    }
    std::string name = lblPlayer.Caption;
    std::replace(name.begin(), name.end(), '"', '\'');
    const std::string record = "\"" + lblScore.Caption + "\",\"" + name + "\"\r\n";
    if (const Status saved = write_record_file(record_path(), record); !saved) {
        runtime().message_box("Your high score could not be saved (" + saved.reason() + "). Play goes on.",
                              MessageIcon::Critical, message_title);
    }
}

}  // namespace vex
