// The runtime under the forms: event delivery, form lifetimes, controls, media, built-ins.
#include "platform/basic.h"
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

TEST(Basics, IntRoundsDownAndStrLeavesRoomForTheSign) {
    EXPECT_EQ(Int(-0.5F), -1);
    EXPECT_EQ(Int(7.99F), 7);
    EXPECT_EQ(Str(230), " 230");
    EXPECT_EQ(Str(-30), "-30");
}

TEST(Basics, RandomizeWithAStillClockStillChangesTheDraws) {
    EngineRandom random(1);
    random.Randomize(1000);
    const float first = random.Rnd();
    random.Randomize(1000);
    EXPECT_NE(random.Rnd(), first);
    for (int i = 0; i < 10000; ++i) {
        const float r = random.Rnd();
        ASSERT_TRUE(r >= 0 && r < 1) << r;
    }
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
// to the game arrives.
TEST(Events, ActivationComesRightAfterTheProcedureThatActivated) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(1, 5);
    program.tick(6);
    program.app.dispatch([&] {
        game.Form_KeyPress('5');
        program.app.keyPress(game, '7');
    });
    EXPECT_FALSE(game.Enabled);
    EXPECT_EQ(game.Image4.Left, game.Image2(5).Left + 60);
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

TEST(Forms, AFormLoadsOnFirstReferenceAndUnloadsForGood) {
    HeadlessGame program;
    EXPECT_FALSE(program.app.isLoaded<Form1>());
    Form1& game = program.game();
    EXPECT_EQ(&program.game(), &game);
    EXPECT_TRUE(game.Timer1.Enabled);
    program.app.Unload(game);
    EXPECT_FALSE(program.app.isLoaded<Form1>());
    program.app.Unload<Form3>();
    EXPECT_FALSE(program.app.isLoaded<Form3>());
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

TEST(Forms, ADisabledWindowIgnoresKeysClicksAndItsCloseBox) {
    HeadlessGame program;
    program.play();
    program.host.click(program.title(), "Command2");
    program.host.closeBox(program.title());
    EXPECT_TRUE(program.app.isLoaded<Form1>());
    EXPECT_FALSE(program.host.hasQuit());
}

TEST(Media, TheSequencerIsHeldByOneControlAtATime) {
    HeadlessGame program;
    MediaControl& title = program.title().MMControl1;
    MediaControl& game = program.game().MMControl1;
    EXPECT_TRUE(title.isOpen());
    EXPECT_FALSE(game.isOpen());
    title.Command = "Close";
    title.Command = "Close";
    game.DeviceType = std::string("CDAudio");
    game.Command = "Open";
    EXPECT_FALSE(game.isOpen());
    game.DeviceType = std::string("Sequencer");
    game.Command = "Open";
    EXPECT_TRUE(game.isOpen());
    EXPECT_EQ(program.sequencer.openFile, "music.mid");
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
