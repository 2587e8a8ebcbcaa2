// Windows closed at any moment leave a consistent program: the title usable, or no program.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// The title is back, usable and alone, with its tune, and no timer runs.
void expectTitleAlone(HeadlessGame& program) {
    ASSERT_EQ(program.app.loadedForms().size(), 1U);
    Form2& title = program.title();
    EXPECT_TRUE(title.Enabled);
    EXPECT_EQ(title.WindowState, static_cast<WindowShowState>(0));
    EXPECT_EQ(program.app.activeForm(), &title);
    EXPECT_EQ(program.host.nextTimerIn(), -1);
    EXPECT_EQ(program.sequencer.openFile, "present.mid");
    EXPECT_FALSE(program.host.hasQuit());
}

TEST(ClosingWindows, TheGameWindowAtEveryTickOfACycle) {
    for (int ticks = 0; ticks <= 31; ++ticks) {
        SCOPED_TRACE(ticks);
        HeadlessGame program(static_cast<std::uint64_t>(ticks));
        program.play();
        program.tick(ticks);
        program.host.closeBox(program.game());
        expectTitleAlone(program);
    }
}

TEST(ClosingWindows, TheGameWindowWhileAPunchIsBeingResolvedWaitsForThePunch) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(5, 5);
    program.tick(6);
    program.app.dispatch([&] {
        program.host.closeBox(game);
        game.Form_KeyPress('5');
        EXPECT_TRUE(program.app.isLoaded<Form1>());
    });
    expectTitleAlone(program);
}

TEST(ClosingWindows, TheGameWindowDuringGameOverIsRefusedWhileItIsDisabled) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(1, 2);
    program.tick(6);
    program.host.type('2');
    ASSERT_TRUE(game.GameOver);
    program.host.closeBox(game);
    EXPECT_TRUE(program.app.isLoaded<Form1>());
    program.host.closeBox(program.gameOver());
    expectTitleAlone(program);
}

TEST(ClosingWindows, TheTitleWhileIdleEndsTheProgram) {
    HeadlessGame program;
    program.host.closeBox(program.title());
    EXPECT_TRUE(program.host.hasQuit());
    EXPECT_TRUE(program.app.loadedForms().empty());
    EXPECT_EQ(program.sequencer.openFile, "");
}

TEST(ClosingWindows, EveryGameAfterAClosedOneStartsAndEndsNormally) {
    HeadlessGame program(3);
    for (int game = 0; game < 5; ++game) {
        program.play();
        program.tick(37 * (game + 1));
        program.host.closeBox(program.game());
        expectTitleAlone(program);
    }
    program.host.click(program.title(), "Command2");
    EXPECT_TRUE(program.host.hasQuit());
}

} // namespace
