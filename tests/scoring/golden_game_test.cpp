#include "tests/support/game_fixture.h"

#include <algorithm>

namespace vex {
namespace {

using testing::Texts;

// One whole game on the generator's own sequence. The scripted player presses S, then Ctrl on
// every sixth tick, and runs to the left edge when each boss comes (the boss homes on the ship's
// left edge and stops level with it, so it can never catch a ship standing at -100).
//
// The expected values below were recorded once from this very game. Any change that alters play
// (a rule, the order of steps, one random draw more or less) must make this test fail; after
// checking that the change is meant, re-record the constants on purpose.
TEST(GoldenGame, ScriptedPlayerFromStartToGameOver) {
    const std::vector<std::pair<std::uint64_t, std::uint64_t>> left_arrow_held{{646, 700}, {1912, 1960}};
    constexpr std::uint64_t tick_cap = 20000;
    testing::LoadedGame game("\"0\",\"nobody\"\r\n", "ann");
    Form1& form = game.form;
    HeadlessRuntime& runtime = game.runtime;
    game.answer(4);
    runtime.key_down(keys::s);
    std::uint64_t tick = 0;
    for (; tick < tick_cap && form.tmBrit.Enabled; ++tick) {
        if (tick % 6 == 0) {
            runtime.key_down(keys::control);
        }
        for (const auto& [down, up] : left_arrow_held) {
            if (tick == down || tick == up) {
                tick == down ? runtime.key_down(keys::left) : runtime.key_up(keys::left);
            }
        }
        runtime.advance(1);
    }

    EXPECT_EQ(tick, 2444U) << "ticks to game over";
    EXPECT_EQ(game.folder.scores(), "\"10867\",\"ann\"\r\n") << "the final score, kept as the new record";
    EXPECT_EQ(testing::scoreboard(form), "score=0 hits=211 shots=408 acc=51% lives=2 bady=49");
    EXPECT_EQ(std::make_pair(form.lblHiscore.Caption, form.intLevel), std::make_pair(std::string("10867"), std::int16_t{3}));
    Texts story = runtime.sound_names();
    EXPECT_EQ(std::count(story.begin(), story.end(), "pop2.wav"), 271);
    EXPECT_EQ(std::count(story.begin(), story.end(), "shoot.wav"), 211);
    std::erase_if(story, [](const std::string& cue) { return cue == "pop2.wav" || cue == "shoot.wav"; });
    EXPECT_EQ(story, (Texts{"airraid.wav", "bady.wav", "dead.wav", "airraid.wav", "hit.wav", "hit.wav", "bady.wav",
                            "dead.wav", "airraid.wav", "hit.wav", "gameover.wav", "hiscore.wav"}));
    EXPECT_EQ(runtime.unanswered_dialogs(), 0U) << "the four boxes: two ships lost, GAME OVER, NEW HI SCORE!";
}

}  // namespace
}  // namespace vex
