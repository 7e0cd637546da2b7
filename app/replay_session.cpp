#include "app/replay_session.h"

#include "platform/regular_file.h"
#include "platform/runtime_error.h"

#include <fstream>
#include <ostream>
#include <random>

namespace vex {

namespace {

std::filesystem::path fresh_folder() {
    std::random_device entropy;
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::filesystem::path candidate = base / ("vexoids-replay-" + std::to_string(entropy()));
        if (std::filesystem::create_directory(candidate)) {
            return candidate;
        }
    }
    throw RuntimeError("No folder for the replay's record could be made in " + base.string());
}

}  // namespace

Result<Replay> load_replay(const std::filesystem::path& file) {
    const FileRead read = read_regular_file(file, replay_file_limit);
    const std::string name = file.string() + ": ";
    if (read.status == FileRead::Status::Missing) {
        return Failure{name + "no such file"};
    }
    if (read.status == FileRead::Status::TooLarge) {
        return Failure{name + "the file is larger than any replay"};
    }
    if (read.status != FileRead::Status::Read) {
        return Failure{name + read.reason};
    }
    Result<Replay> replay = parse_replay(read.bytes);
    if (!replay) {
        return Failure{name + replay.reason()};
    }
    return replay;
}

ReplayRecordFolder::ReplayRecordFolder(const std::optional<std::string>& record) : m_path(fresh_folder()) {
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all);
    const std::filesystem::path file = m_path / "scores.dat";
    if (!record) {
        std::filesystem::create_directory(file);
        return;
    }
    if (!record->empty()) {
        std::ofstream(file, std::ios::binary) << *record;
    }
}

ReplayRecordFolder::~ReplayRecordFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string describe(const ReplayResult& result) {
    return "score " + std::to_string(result.score) + ", record " + std::to_string(result.record) + ", level " +
           std::to_string(result.level) + ", ships " + std::to_string(result.ships) + " at round " +
           std::to_string(result.rounds);
}

int verify_replay(const std::filesystem::path& file, std::ostream& out) {
    const Result<Replay> loaded = load_replay(file);
    if (!loaded) {
        out << loaded.reason() << '\n';
        return replay_unreadable;
    }
    const Replay& replay = loaded.value();
    HeadlessReplay game(replay);
    try {
        game.player.load();
        game.player.play_to_end();
    } catch (const ReplayStopped& stopped) {
        if (stopped.damaged()) {
            out << file.string() << ": " << stopped.what() << '\n';
            return replay_unreadable;
        }
    }
    ReplayResult result = game.form.session_result();
    result.rounds = game.player.last_round();
    return report_replay(file, replay, result, out);
}

int report_replay(const std::filesystem::path& file, const Replay& replay, const ReplayResult& result, std::ostream& out) {
    if (!replay.result) {
        out << file.string() << ": " << describe(result) << "; the file has no result line (cut short)\n";
        return replay_differs;
    }
    if (result != *replay.result) {
        out << file.string() << ": " << describe(result) << "; line " << replay.result_line << " has "
            << describe(*replay.result) << '\n';
        return replay_differs;
    }
    out << file.string() << ": " << describe(result) << ", as recorded\n";
    return replay_matches;
}

}  // namespace vex
