// What the replay options need outside the window: a replay file read and checked, the folder a
// replayed game keeps its record in, and the headless verification behind --verify.
#pragma once

#include "platform/replay/replay_file.h"
#include "platform/replay/replay_player.h"
#include "platform/replay/replay_runtime.h"
#include "platform/result.h"
#include "shell/form1.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

namespace vex {

// The exit statuses of --verify.
constexpr int replay_matches = 0;
constexpr int replay_differs = 1;
constexpr int replay_unreadable = 2;

// The replay in `file`, or "FILE: line N: what is wrong" (or why the file cannot be read).
Result<Replay> load_replay(const std::filesystem::path& file);

// A fresh folder under the system's temporary folder holding the record a replay starts from
// (a folder in the file's place when the recorded record could not be read, so that the game
// meets the same trouble and never writes it); removed with everything in it when destroyed.
class ReplayRecordFolder {
public:
    explicit ReplayRecordFolder(const std::optional<std::string>& record);
    ~ReplayRecordFolder();
    ReplayRecordFolder(const ReplayRecordFolder&) = delete;
    ReplayRecordFolder& operator=(const ReplayRecordFolder&) = delete;
    const std::filesystem::path& path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

// A replay wired to play without a window: its record folder, the runtime answering from the
// file, the game's window and the player feeding it. `replay` outlives it.
struct HeadlessReplay {
    explicit HeadlessReplay(const Replay& replay)
        : folder(replay.record), runtime(replay.seed, folder.path()), form(runtime), player(form, replay) {
        runtime.set_player(player);
    }
    HeadlessReplay(const HeadlessReplay&) = delete;
    HeadlessReplay& operator=(const HeadlessReplay&) = delete;

    ReplayRecordFolder folder;
    ReplayRuntime runtime;
    Form1 form;
    ReplayPlayer player;
};

// Replays `file` headless as fast as it goes and writes one line to `out`: the result and whether
// it matches the file's. Returns replay_matches, replay_differs (or no result line) or
// replay_unreadable (the file cannot be read, is damaged, or the game and the file disagree).
int verify_replay(const std::filesystem::path& file, std::ostream& out);

// Writes the line --verify writes for `result`, played from `file`, and returns its status.
int report_replay(const std::filesystem::path& file, const Replay& replay, const ReplayResult& result, std::ostream& out);

// "score S, record R, level L, ships N at round K"
std::string describe(const ReplayResult& result);

}  // namespace vex
