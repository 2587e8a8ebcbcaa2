// The runtime under the forms: event delivery, form lifetimes, controls, media, built-ins.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

TEST(Basics, RandomizeWithAStillClockStillChangesTheDraws) {
    EngineRandom random(1);
    random.Randomize(1000);
    const float first = random.Rnd();
    random.Randomize(1000);
    EXPECT_NE(random.Rnd(), first);
}

TEST(Events, AnEventRaisedDuringAnotherWaitsForItToFinish) {
    HeadlessGame program;
    std::string order;
    program.app.dispatch([&] {
        order += "a";
        program.app.dispatch([&] { order += "c"; });
        order += "b";
    });
    EXPECT_EQ(order, "abc");
}

// The game-over window is activated, and disables the game, before a key already on its way
// to the game arrives; and a tick on its way finds the tick stopped.
TEST(Events, ActivationComesRightAfterTheProcedureThatActivated) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(1, 5);
    program.tick(6);
    program.app.dispatch([&] {
        game.Form_KeyPress('5');
        program.app.keyPress(game, '7');
        program.app.timerTick(game, game.Timer1);
    });
    EXPECT_FALSE(game.Enabled);
    EXPECT_EQ(game.Image4.Left, game.Image2(5).Left + 60);
    EXPECT_EQ(game.UpTicks, 20);
}

TEST(Events, ABrokenInvariantEndsTheProgramWithOneMessage) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(5, 2);
    program.tick(6);
    program.app.dispatch([&] { game.Image2(2).Tag = "x"; });
    program.tick(30);
    EXPECT_EQ(program.host.fatalMessage(), "Type mismatch: creature tag 'x'");
    program.host.type('2');
    EXPECT_EQ(game.HammerPicture, 10);
    EXPECT_THROW(game.Image2(11), RuntimeError);
    EXPECT_THROW(game.ImageList1.ListImages(13), RuntimeError);
}

TEST(Forms, AHandlerForAControlTheDesignLacksIsRefused) {
    struct Misspelt : Form {
        explicit Misspelt(Application& app)
            : Form(app, layout::titleDesign()) {
            onClick("Comand1", [] {});
        }
    };
    HeadlessGame program;
    EXPECT_THROW(program.app.form<Misspelt>(), std::logic_error);
}

// Notify applies to the next command only, and a completion that finds its form gone is lost.
TEST(Media, OnlyAPlayWithNotifyReportsItsEndAndOnlyToALoadedForm) {
    HeadlessGame program;
    Form1& game = program.play();
    game.MMControl1.Notify = true;
    game.MMControl1.Command = "Stop";
    game.MMControl1.Command = "Play";
    program.sequencer.takeLog();
    program.sequencer.finish();
    EXPECT_EQ(program.sequencer.takeLog(), std::vector<std::string>{});
    game.MMControl1.Notify = true;
    game.MMControl1.Command = "Play";
    program.app.dispatch([&] {
        program.sequencer.finish();
        program.app.Unload(game);
    });
    const auto log = program.sequencer.takeLog();
    EXPECT_EQ(log.back(), "device play");
    EXPECT_EQ(program.sequencer.openFile, "present.mid");
}

TEST(Media, AnOpenResetsTheControlsOptionsAndAReopenKeepsThem) {
    HeadlessGame program;
    const std::vector<std::string> expected{
        "Form2.MMControl1.Notify=false",         "Form2.MMControl1.Wait=true",
        "Form2.MMControl1.Shareable=false",      "Form2.MMControl1.DeviceType=Sequencer",
        "Form2.MMControl1.FileName=present.mid", "Form2.MMControl1.Command=Open",
        "Form2.MMControl1.Notify=false",         "Form2.MMControl1.Command=Play",
        "Form2.MMControl1.DeviceType=Sequencer", "Form2.MMControl1.FileName=present.mid",
        "Form2.MMControl1.Command=Open",         "Form2.MMControl1.Notify=false",
        "Form2.MMControl1.Command=Play"};
    EXPECT_EQ(program.mediaWrites, expected);
}

} // namespace
