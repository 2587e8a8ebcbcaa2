// Moving between the three windows: title, game and game over.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// Ends the running game by letting a target escape with an empty bar.
void loseGame(HeadlessGame& program) {
    Form1& game = program.game();
    program.app.dispatch([&] { game.Shape1.Height = 1; });
    while (game.GameState != TickState::Spawn)
        program.tick();
    program.random.creature(5, 3);
    program.tick(27);
    ASSERT_TRUE(game.GameOver);
}

TEST(Navigation, JugarShowsTheGameAndMinimisesAndDisablesTheTitle) {
    HeadlessGame program;
    Form1& game = program.play();
    EXPECT_TRUE(game.isShown());
    EXPECT_EQ(program.app.activeForm(), &game);
    EXPECT_EQ(program.title().WindowState, static_cast<WindowShowState>(1));
    EXPECT_FALSE(program.title().Enabled);
}

TEST(Navigation, TheEndOfAGameOpensTheGameOverWindowOverTheFrozenGame) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(7, 8);
    program.tick(6);
    program.host.type('8');
    loseGame(program);
    Form3& over = program.gameOver();
    EXPECT_TRUE(over.isShown());
    EXPECT_EQ(program.app.activeForm(), &over);
    EXPECT_EQ(over.Label4.Caption, " 130");
    EXPECT_TRUE(game.isShown());
    EXPECT_FALSE(game.Enabled);
}

TEST(Navigation, AGameEndingBeforeAnyResolvedPunchShowsAnEmptyScore) {
    HeadlessGame program;
    program.play();
    loseGame(program);
    EXPECT_EQ(program.gameOver().Label4.Caption, "");
}

TEST(Navigation, ClosingTheGameOverWindowRestoresTheTitleAndDiscardsTheGame) {
    for (bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox);
        HeadlessGame program;
        program.play();
        loseGame(program);
        if (byCloseBox)
            program.host.closeBox(program.gameOver());
        else
            program.host.click(program.gameOver(), "Command1");
        EXPECT_FALSE(program.app.isLoaded<Form1>());
        EXPECT_FALSE(program.app.isLoaded<Form3>());
        EXPECT_TRUE(program.title().Enabled);
        EXPECT_EQ(program.title().WindowState, static_cast<WindowShowState>(0));
        EXPECT_EQ(program.app.activeForm(), &program.title());
        EXPECT_EQ(program.sequencer.openFile, "present.mid");
        EXPECT_TRUE(program.sequencer.playing);
    }
}

TEST(Navigation, AReactivatedGameOverWindowDisablesTheGameAgain) {
    HeadlessGame program;
    Form1& game = program.play();
    loseGame(program);
    program.app.dispatch([&] { game.Enabled = true; });
    program.app.activatedByUser(game);
    program.app.activatedByUser(program.gameOver());
    EXPECT_FALSE(game.Enabled);
}

TEST(Navigation, ASecondGameShowsItsOwnScore) {
    HeadlessGame program;
    program.play();
    program.random.creature(5, 1);
    program.tick(6);
    program.host.type('1');
    loseGame(program);
    program.host.click(program.gameOver(), "Command1");

    Form1& second = program.play();
    EXPECT_EQ(second.Score, 0);
    EXPECT_EQ(second.Shape1.Height, 1572);
    program.random.creature(8, 2);
    program.tick(6);
    program.host.type('2');
    loseGame(program);
    EXPECT_EQ(program.gameOver().Label4.Caption, " 30");
}

TEST(Navigation, SalirAfterAGameEndsTheProgram) {
    HeadlessGame program;
    program.play();
    loseGame(program);
    program.host.click(program.gameOver(), "Command1");
    program.host.click(program.title(), "Command2");
    EXPECT_TRUE(program.host.hasQuit());
    EXPECT_TRUE(program.app.loadedForms().empty());
    EXPECT_EQ(program.sequencer.openFile, "");
}

} // namespace
