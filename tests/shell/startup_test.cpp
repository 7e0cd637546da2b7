#include "platform/key_codes.h"
#include "tests/support/game_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace vex {
namespace {

using Dialog = HeadlessRuntime::Dialog;

void expect_name_box(const Dialog& dialog) {
    EXPECT_EQ(dialog.kind, Dialog::Kind::InputBox);
    EXPECT_EQ(dialog.title, "Enter Your Name");
    EXPECT_EQ(dialog.text, "Your Name Please");
}

TEST(Startup, LoadShowsTheRecordAndTheNameAsTyped) {
    const std::vector<std::tuple<const char*, const char*>> rows{
        {"a plain name", "Ann"}, {"blanks before and after kept", "  Bo b  "}, {"box cancelled", ""}};
    for (const auto& [what, typed] : rows) {
        SCOPED_TRACE(what);
        testing::LoadedGame game("\"1500\",\"Cy\"\r\n", typed);
        EXPECT_EQ(game.form.lblPlayer.Caption, typed);
        EXPECT_EQ(game.form.lblHiscore.Caption, "1500");
        EXPECT_EQ(game.form.lblHiscoren.Caption, "Cy");
        ASSERT_EQ(game.runtime.dialogs().size(), 1U);
        expect_name_box(game.runtime.dialogs()[0]);
        EXPECT_FALSE(game.form.tmBrit.Enabled);
        EXPECT_TRUE(game.runtime.sounds().empty());
    }
}

class NewPlayer : public testing::GameTest {};

TEST_F(NewPlayer, MidGameChangesOnlyTheName) {
    game.start_game();
    runtime.key_down(keys::control);
    runtime.advance(3);
    form.lblScore.Caption = "70";
    const auto before = testing::snapshot(form, "lblPlayer");
    runtime.answer_input_box(" Zed ");
    runtime.click(form.Label9);

    ASSERT_EQ(runtime.dialogs().size(), 2U);
    expect_name_box(runtime.dialogs()[1]);
    EXPECT_EQ(testing::snapshot(form, "lblPlayer"), before);
    EXPECT_EQ(form.lblPlayer.Caption, " Zed ");
}

}  // namespace
}  // namespace vex
