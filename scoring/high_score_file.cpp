#include "platform/paths.h"
#include "platform/text_file.h"
#include "shell/form1.h"

#include <algorithm>

namespace vex {

namespace {

constexpr const char* scores_file = "\\scores.dat";

}  // namespace

// A missing or damaged file gives no record; the file itself is left alone until a new record
// replaces it.
void Form1::LoadHighScore() {
    const auto text = read_file(native_path(runtime().program_folder(), scores_file));
    const auto items = text ? parse_items(*text, 2) : std::vector<std::string>{};
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
    std::string name = lblPlayer.Caption;
    std::replace(name.begin(), name.end(), '"', '\'');
    const std::string record = "\"" + lblScore.Caption + "\",\"" + name + "\"\r\n";
    if (const auto failure = write_file_atomically(native_path(runtime().program_folder(), scores_file), record)) {
        runtime().message_box("Your high score could not be saved (" + *failure + "). Play goes on.",
                              MessageIcon::Critical, "Game Info");
    }
}

}  // namespace vex
