#include "app/replay_session.h"
#include "platform/headless/window_state.h"
#include "platform/replay/recording_runtime.h"
#include "platform/replay/replay_runtime.h"
#include "tests/support/game_fixture.h"

#include <fstream>
#include <functional>
#include <sstream>

namespace vex {
namespace {

// A session played headless under a recorder, every box answered with OK or `name`.
struct RecordedSession {
    explicit RecordedSession(std::string name = "ann")
        : runtime(folder.path()), recorder(runtime, folder.path() / "game.replay"), form(recorder) {
        EXPECT_TRUE(recorder.start(folder.scores().value_or("")));
        recorder.attach(form);
        runtime.answer_unscripted([name](const HeadlessRuntime::Dialog&) { return name; });
        runtime.load(form);
    }
    void finish() { recorder.finish(form.session_result()); }
    std::filesystem::path file() const { return folder.path() / "game.replay"; }
    std::string text() const { return testing::file_bytes(file()).value_or(""); }

    testing::TestFolder folder;
    HeadlessRuntime runtime;
    RecordingRuntime recorder;
    Form1 form;
};

// The window's state at the end of the replay in `file`, played headless.
WindowState replayed(const std::filesystem::path& file) {
    const Result<Replay> replay = load_replay(file);
    EXPECT_TRUE(replay) << replay.reason();
    HeadlessReplay game(replay.value());
    game.player.load();
    game.player.play_to_end();
    return window_state(game.form);
}

std::pair<int, std::string> verified(const std::filesystem::path& file) {
    std::ostringstream out;
    const int status = verify_replay(file, out);
    return {status, out.str()};
}

// The scripted player of the golden game: Ctrl every sixth round, to the left edge when the boss
// comes, until the game ends.
void golden_player(RecordedSession& s) {
    s.runtime.key_down(keys::s);
    for (std::uint64_t tick = 0; tick < 3000 && s.form.tmBrit.Enabled; ++tick) {
        if (tick % 6 == 0) {
            s.runtime.key_down(keys::control);
        }
        if (tick == 646 || tick == 1912) {
            s.runtime.key_down(keys::left);
        } else if (tick == 700 || tick == 1960) {
            s.runtime.key_up(keys::left);
        }
        s.runtime.advance(1);
    }
}

// A machine too busy for the clock: every third round comes three ticks late, and keys arrive a
// tick or two into the round after the one they follow.
void loaded_machine(RecordedSession& s) {
    s.runtime.key_down(keys::s);
    for (int round = 0; round < 900; ++round) {
        const std::uint64_t now = s.form.clock().now();
        s.form.round(now + (round % 3 == 2 ? 4 : 1));
        if (round % 7 == 0) {
            s.form.clock().set(s.form.clock().now() + 1 + round % 2);
            s.form.key_down(round % 14 == 0 ? keys::control : keys::right, 0);
        } else if (round % 7 == 3) {
            s.form.key_up(keys::right, 1);
        }
    }
}

// A new name in the middle of a game, the About panel opened and closed, a game to its end, then
// Exit.
void boxes_in_the_middle(RecordedSession& s) {
    s.runtime.key_down(keys::s);
    s.runtime.advance(20);
    s.runtime.click(s.form.Label9);
    s.runtime.advance(20);
    s.runtime.click(s.form.Label2);
    s.runtime.click(s.form.Label5);
    s.runtime.key_down(keys::s);
    for (int tick = 0; tick < 4000 && s.form.tmBrit.Enabled; ++tick) {
        s.runtime.advance(1);
    }
    s.runtime.click(s.form.Label3);
}

TEST(Replay, ASessionRecordedHeadlessReplaysToTheSameWindow) {
    struct Case {
        std::string name;
        std::function<void(RecordedSession&)> play;
        std::string line_expected;  // what a line of the recording must end with
        std::int16_t level;         // the level the session ends on
    };
    const std::vector<Case> cases{
        {"golden player", golden_player, " ok", 3},
        {"loaded machine", loaded_machine, "+4 round", 1},
        {"boxes in the middle", boxes_in_the_middle, " answer Zo\\xc3\\xab", 1},
    };
    for (const Case& c : cases) {
        RecordedSession session(c.name == "boxes in the middle" ? "Zo\xc3\xab" : "ann");
        c.play(session);
        session.finish();
        EXPECT_NE(session.text().find(c.line_expected + "\n", session.text().find("\n0 down")), std::string::npos)
            << c.name << "\n" << session.text().substr(0, 400);
        EXPECT_EQ(session.form.intLevel, c.level) << c.name;
        EXPECT_EQ(replayed(session.file()), window_state(session.form)) << c.name;
        const auto [status, said] = verified(session.file());
        EXPECT_EQ(status, replay_matches) << c.name << ": " << said;
        EXPECT_TRUE(said.ends_with(", as recorded\n")) << said;
    }
}

TEST(Replay, TheGoldenGameProvesItsScore) {
    RecordedSession session;
    session.runtime.answer_unscripted([](const HeadlessRuntime::Dialog&) { return std::string(); });
    golden_player(session);
    session.finish();
    EXPECT_EQ(session.folder.scores(), "\"10867\",\"ann\"\r\n");
    const std::string said = verified(session.file()).second;
    EXPECT_TRUE(said.starts_with(session.file().string() + ": score 10867, record 10867, level 3, ships 2 at round ")) << said;
    EXPECT_TRUE(said.ends_with(", as recorded\n")) << said;
}

// Each line reaches the file as it happens: a session killed in the middle leaves a replay that
// plays to where it stopped and says it has no result.
TEST(Replay, ASessionCutShortKeepsWhatWasPlayed) {
    RecordedSession session;
    session.runtime.key_down(keys::s);
    session.runtime.advance(40);
    session.runtime.key_down(keys::control);
    session.runtime.advance(20);
    session.runtime.key_up(keys::control);
    EXPECT_EQ(replayed(session.file()), window_state(session.form));
    const auto [status, said] = verified(session.file());
    EXPECT_EQ(status, replay_differs);
    EXPECT_TRUE(said.starts_with(session.file().string() + ": score " + session.form.lblScore.Caption + ", record 0, level 1, ships 2 at round "))
        << said;
    EXPECT_TRUE(said.ends_with("; the file has no result line (cut short)\n")) << said;
}

TEST(Replay, AFileTheGameDisagreesWithIsNamedByLine) {
    RecordedSession session("Zo\xc3\xab");
    boxes_in_the_middle(session);
    session.finish();
    const std::string good = session.text();
    // Each change is made at the first `from` after the game started.
    const std::size_t started = good.find("\n0 down");
    const auto replace = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from, from.starts_with("vexoids") || from == "0 load\n" ? 0 : started);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const auto line_of = [&](const std::string& what) {
        const auto at = static_cast<long>(good.find(what, started));
        return std::to_string(std::count(good.begin(), good.begin() + at, '\n') + 1);
    };
    const std::string end = good.substr(good.rfind(" end ") + 1);
    struct Case {
        std::string text;
        int status;
        std::string said;
    };
    const std::vector<Case> cases{
        {good.substr(0, good.rfind('\n', good.size() - 2) + 1), replay_differs, "; the file has no result line (cut short)\n"},
        {replace(end, "end score 1 record 0 level 1 ships 2\n"), replay_differs, "; line " + line_of(" end ") + " has score 1, record 0, level 1, ships 2 at round "},
        {replace("click Label9", "click Label99"), replay_unreadable, ": line " + line_of("click Label9") + ": the window has no label 'Label99' to click\n"},
        {replace(" answer Zo", " ok Zo"), replay_unreadable, ": line " + line_of(" answer Zo") + ": 'ok' takes nothing more\n"},
        {replace(" answer Zo\\xc3\\xab\n", " ok\n"), replay_unreadable, ": line " + line_of(" answer Zo") + ": the game opens a box in round "},
        {replace(" cue\n", "\n"), replay_unreadable, ": line " + line_of(" cue\n") + ": an event needs a round and a word\n"},
        {replace(" cue\n", " ok\n"), replay_unreadable, ": line " + line_of(" cue\n") + ": the game plays a cue in round 0, the file has 'ok' in round 0\n"},
        {replace("0 load\n", ""), replay_unreadable, ": line 4: the first event must be 'load'\n"},
        {replace("vexoids replay 1", "vexoids replay 2"), replay_unreadable, ": line 1: a replay of version 2, this program plays version 1\n"},
    };
    // A file of its own: the recorder still holds the session's open, and Windows removes no
    // open file.
    const std::filesystem::path changed = session.folder.path() / "changed.replay";
    for (const Case& c : cases) {
        std::ofstream(changed, std::ios::binary | std::ios::trunc) << c.text;
        const auto [status, said] = verified(changed);
        EXPECT_EQ(status, c.status) << said;
        EXPECT_NE(said.find(c.said), std::string::npos) << said;
        EXPECT_TRUE(said.starts_with(changed.string() + ": ")) << said;
    }
    std::filesystem::remove(changed);
    EXPECT_EQ(verified(changed), std::make_pair(replay_unreadable, changed.string() + ": no such file\n"));
}

// While a replay plays in the window, the player's keys and clicks are not the game's, but
// Escape stops it.
TEST(Replay, ThePlayersInputDoesNotSteerAReplay) {
    testing::LoadedGame game;
    game.form.set_replaying(true);
    game.runtime.key_down(keys::s);
    game.runtime.click(game.form.Label9);
    EXPECT_FALSE(game.form.tmBrit.Enabled);
    EXPECT_FALSE(game.form.unloaded());
    game.runtime.key_down(keys::escape);
    EXPECT_TRUE(game.form.unloaded());
}

// The window's loop waits for each round in turn: consecutive rounds implied between lines, a
// jump where the clock jumped, the input stamped before a round played with it.
TEST(Replay, EachStepRaisesTheNextRoundTheFileHolds) {
    const Result<Replay> replay = parse_replay(
        "vexoids replay 1\nseed 5489\nrecord \n0+3 load\n0+5 answer x\n0+9 round\n11 down 83 0\n11+96 cue\n"
        "11+97 round\n110 end score 0 record 0 level 1 ships 2\n");
    ASSERT_TRUE(replay) << replay.reason();
    HeadlessReplay game(replay.value());
    Form1& form = game.form;
    ReplayPlayer& player = game.player;
    player.load();
    std::vector<std::string> steps;
    while (!player.finished()) {
        const auto next = player.next_round();
        player.step();
        steps.push_back((next ? std::to_string(*next) : "-") + ":" + std::to_string(player.last_round()) + "/" +
                        std::to_string(form.clock().now()) + (form.tmBrit.Enabled ? "+" : ""));
    }
    EXPECT_EQ(steps, (testing::Texts{"9:9/9", "10:10/10", "11:11/11", "108:108/108+", "109:109/109+", "110:110/110+"}));
    EXPECT_FALSE(player.next_round());
}

// A replay that cannot be created stops the recording before the game starts.
TEST(Replay, ARecordingThatCannotBeCreatedIsRefused) {
    testing::TestFolder folder;
    HeadlessRuntime runtime(folder.path());
    RecordingRuntime recorder(runtime, folder.path() / "no such folder" / "game.replay");
    const Status started = recorder.start(std::nullopt);
    ASSERT_FALSE(started);
    EXPECT_EQ(started.reason(), "cannot create the file");
}

}  // namespace
}  // namespace vex
