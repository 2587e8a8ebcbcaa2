// The runtime under the forms: event delivery, form lifetimes, media, built-ins.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

using Record = std::vector<std::string>;

TEST(Basics, RandomizeWithAStillClockStillChangesTheDraws) {
    EngineRandom random(1);
    random.Randomize(1000);
    const float first = random.Rnd();
    random.Randomize(1000);
    EXPECT_NE(random.Rnd(), first);
}

// Events raised during a procedure wait for it, and for the activation it causes: the game-over
// window disables the game before a key already on its way to the game arrives, and a tick on
// its way finds the tick stopped.
TEST(Events, ActivationComesRightAfterTheProcedureThatActivated) {
    HeadlessGame program;
    program.play();
    Form1& game = program.raise(1, 5);
    program.app.dispatch([&] {
        game.Form_KeyPress('5');
        program.app.keyPress(game, '7');
        program.app.timerTick(game, game.Timer1);
    });
    EXPECT_EQ(std::tuple(game.Enabled, game.Image4.Left, game.UpTicks),
              std::tuple(false, game.Image2(5).Left + 60, 20));
}

TEST(Events, ABrokenInvariantEndsTheProgramWithOneMessage) {
    HeadlessGame program;
    program.play();
    Form1& game = program.raise(5, 2);
    program.app.dispatch([&] { game.Image2(2).Tag = "x"; });
    program.tick(30);
    EXPECT_EQ(program.host.fatalMessage(), "Type mismatch: creature tag 'x'");
    program.host.type('2');
    EXPECT_EQ(game.HammerPicture, 10);
    EXPECT_THROW(game.Image2(11), RuntimeError);
    EXPECT_THROW(game.ImageList1.ListImages(13), RuntimeError);
}

// A game window whose own unload does nothing, leaving only the runtime's part of it.
struct Abandoned : Form1 {
    using Form1::Form1;
    void Form_Unload() override {}
};

// The going form lasts until its event is over, after the activation of the window below: the
// title cannot have the device until the game's control goes with its form and closes it.
TEST(Forms, AGoingFormHandsActivationToTheWindowBelowAndClosesTheDeviceItHeld) {
    HeadlessGame program;
    program.app.dispatch([&] {
        program.title().MMControl1.Command = "Close";
        program.app.form<Abandoned>().Show();
    });
    program.sequencer.takeLog();
    program.app.dispatch([&] { program.app.Unload(program.game()); });
    EXPECT_EQ(program.sequencer.takeLog(),
              (Record{"Form2 Open present.mid | title:d*", "device open present.mid",
                      "Form2 Play present.mid | title:d*", "device close"}));
}

TEST(Media, AControlOpensOnlyTheSequencer) {
    HeadlessGame program;
    MediaControl& tune = program.title().MMControl1;
    tune.Command = "Close";
    tune.DeviceType = std::string("CDAudio");
    tune.Command = "Open";
    EXPECT_EQ(program.sequencer.openFile, "");
}

} // namespace
