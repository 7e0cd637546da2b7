#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace vex {
namespace {

using Texts = std::vector<std::string>;

struct Press {
    std::uint64_t tick;
    std::int16_t key;
    bool down;
};

// One whole game on the generator's own sequence. The scripted player presses S, then Ctrl on
// every sixth tick, and runs to the left edge when each boss comes (the boss homes on the ship's
// left edge and stops level with it, so it can never catch a ship standing at -100).
//
// The expected values below were recorded once from this very game. Any change that alters play
// (a rule, the order of steps, one random draw more or less) must make this test fail; after
// checking that the change is meant, re-record the constants on purpose.
TEST(GoldenGame, ScriptedPlayerFromStartToGameOver) {
    const std::vector<Press> arrows{
        {646, keys::left, true}, {700, keys::left, false}, {1912, keys::left, true}, {1960, keys::left, false}};
    constexpr std::uint64_t tick_cap = 20000;
    testing::LoadedGame game("\"0\",\"nobody\"\r\n", "ann");
    Form1& form = game.form;
    HeadlessRuntime& runtime = game.runtime;
    for (int box = 0; box < 4; ++box) {
        runtime.answer_message_box();
    }
    runtime.key_down(keys::s);
    std::uint64_t tick = 0;
    for (; tick < tick_cap && form.tmBrit.Enabled; ++tick) {
        if (tick % 6 == 0) {
            runtime.key_down(keys::control);
        }
        for (const Press& press : arrows) {
            if (press.tick == tick) {
                press.down ? runtime.key_down(press.key) : runtime.key_up(press.key);
            }
        }
        runtime.advance(1);
    }

    EXPECT_EQ(tick, 2444U) << "ticks to game over";
    EXPECT_TRUE(form.Label8.Visible);
    EXPECT_EQ(game.folder.scores(), "\"10867\",\"ann\"\r\n") << "the final score, kept as the new record";
    EXPECT_EQ((Texts{form.lblScore.Caption, form.lblShots.Caption, form.lblHits.Caption, form.lblAcc.Caption,
                     form.lblLives.Caption, form.lblHiscore.Caption, form.lblBady.Caption}),
              (Texts{"0", "408", "211", "51%", "2", "10867", "49"}));
    EXPECT_EQ(form.intLevel, 3);
    const Texts cues = runtime.sound_names();
    EXPECT_EQ(std::count(cues.begin(), cues.end(), "pop2.wav"), 271);
    EXPECT_EQ(std::count(cues.begin(), cues.end(), "shoot.wav"), 211);
    Texts story;
    std::copy_if(cues.begin(), cues.end(), std::back_inserter(story),
                 [](const std::string& cue) { return cue != "pop2.wav" && cue != "shoot.wav"; });
    EXPECT_EQ(story, (Texts{"airraid.wav", "bady.wav", "dead.wav", "airraid.wav", "hit.wav", "hit.wav", "bady.wav",
                            "dead.wav", "airraid.wav", "hit.wav", "gameover.wav", "hiscore.wav"}));
    Texts boxes;
    for (const auto& dialog : runtime.dialogs()) {
        boxes.push_back(dialog.text);
    }
    EXPECT_EQ(boxes, (Texts{"Your Name Please", "A Ravuv Vexoid Has Killed your space Ship!",
                            "A Ravuv Vexoid Has Killed your space Ship!", "GAME OVER", "NEW HI SCORE!"}));
    EXPECT_EQ(runtime.unanswered_dialogs(), 0U);
}

}  // namespace
}  // namespace vex
