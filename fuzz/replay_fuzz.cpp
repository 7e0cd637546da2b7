// The replay reader and player on any bytes: a file is either refused with a line number or
// played headless to its end, a disagreement with the game stopping it as ReplayStopped; nothing
// else may escape, crash or hang. Files whose rounds run past a few minutes are only read.
#include "platform/replay/replay_player.h"
#include "platform/replay/replay_runtime.h"
#include "shell/form1.h"

#include "fuzz/scratch_folder.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace {

constexpr std::uint64_t played_rounds_limit = 64 * 60 * 5;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const vex::Result<vex::Replay> read = vex::parse_replay(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read) {
        if (!read.reason().starts_with("line ")) {
            std::abort();
        }
        return 0;
    }
    const vex::Replay& replay = read.value();
    const std::uint64_t last = replay.result ? replay.result->rounds : 0;
    if (last > played_rounds_limit || (!replay.events.empty() && replay.events.back().clock > played_rounds_limit)) {
        return 0;
    }
    const std::filesystem::path scores = vex::fuzzing::scratch_folder() / "scores.dat";
    std::filesystem::remove_all(scores);
    if (replay.record) {
        std::ofstream(scores, std::ios::binary) << *replay.record;
    } else {
        std::filesystem::create_directory(scores);
    }
    vex::ReplayRuntime runtime(replay.seed, vex::fuzzing::scratch_folder());
    vex::Form1 form(runtime);
    vex::ReplayPlayer player(form, replay);
    runtime.set_player(player);
    try {
        player.load();
        player.play_to_end();
    } catch (const vex::ReplayStopped& stopped) {
        if (std::string_view(stopped.what()).empty()) {
            std::abort();
        }
    }
    return 0;
}
