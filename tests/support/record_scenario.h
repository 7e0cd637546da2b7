// The record file's scenario on every system: a record there, the game started, a new record saved.
#pragma once

#include "platform/headless/headless_runtime.h"
#include "shell/form1.h"

#include <filesystem>
#include <string>

namespace vex::testing {

inline const std::string old_record = "\"1500\",\"Ann\"\r\n";
inline const std::string new_record = "\"777\",\"ann\"\r\n";

// Start-up, then a save of 777 by ann: the record shown, then the boxes in the order they opened
// ("read" for the start-up notice, "name" for the name box, "save" for the could-not-save box).
inline std::string start_and_save(const std::filesystem::path& folder) {
    HeadlessRuntime runtime(folder);
    Form1 form(runtime);
    runtime.answer_unscripted([](const HeadlessRuntime::Dialog&) { return std::string("ann"); });
    runtime.load(form);
    std::string seen = form.lblHiscore.Caption + "," + form.lblHiscoren.Caption + " boxes:";
    form.lblScore.Caption = "777";
    form.SaveHighScore();
    for (const auto& box : runtime.dialogs()) {
        const auto says = [&](const char* words) { return box.text.find(words) != std::string::npos; };
        seen += says("Name") ? " name" : says("could not be read") ? " read" : says("could not be saved") ? " save" : " other";
    }
    return seen;
}

}  // namespace vex::testing
