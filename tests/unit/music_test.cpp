// The tunes: which control plays what, and when.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

using Log = std::vector<std::string>;

const Log GameTuneOpenAndPlay{"Form1.MMControl1.Notify=false",
                              "Form1.MMControl1.Wait=true",
                              "Form1.MMControl1.Shareable=false",
                              "Form1.MMControl1.DeviceType=Sequencer",
                              "Form1.MMControl1.FileName=music.mid",
                              "Form1.MMControl1.Command=Open",
                              "device.open music.mid",
                              "Form1.MMControl1.Notify=true",
                              "Form1.MMControl1.Command=Play",
                              "device.play"};

const Log TitleTuneReplay{"Form2.MMControl1.DeviceType=Sequencer",
                          "Form2.MMControl1.FileName=present.mid",
                          "Form2.MMControl1.Command=Open",
                          "device.open present.mid",
                          "Form2.MMControl1.Notify=false",
                          "Form2.MMControl1.Command=Play",
                          "device.play"};

Log concat(std::initializer_list<Log> parts) {
    Log all;
    for (const Log& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

TEST(Music, AtStartUpTheTitleOpensAndPlaysTwiceWithNoCloseBetween) {
    HeadlessGame program;
    const Log expected =
        concat({{"Form2.MMControl1.Notify=false", "Form2.MMControl1.Wait=true",
                 "Form2.MMControl1.Shareable=false", "Form2.MMControl1.DeviceType=Sequencer",
                 "Form2.MMControl1.FileName=present.mid", "Form2.MMControl1.Command=Open",
                 "device.open present.mid", "Form2.MMControl1.Notify=false",
                 "Form2.MMControl1.Command=Play", "device.play"},
                // The tune is open already: this "Open" fails and "Play" goes on playing.
                {"Form2.MMControl1.DeviceType=Sequencer", "Form2.MMControl1.FileName=present.mid",
                 "Form2.MMControl1.Command=Open", "Form2.MMControl1.Notify=false",
                 "Form2.MMControl1.Command=Play", "device.play"}});
    EXPECT_EQ(program.sequencer.takeLog(), expected);
    EXPECT_EQ(program.sequencer.openFile, "present.mid");
    EXPECT_TRUE(program.sequencer.playing);
}

TEST(Music, JugarHandsTheSequencerFromTheTitleTuneToTheGameTune) {
    HeadlessGame program;
    program.sequencer.takeLog();
    program.host.click(program.title(), "Command1");
    EXPECT_EQ(program.sequencer.takeLog(),
              concat({{"Form2.MMControl1.Command=Stop", "device.stop",
                       "Form2.MMControl1.Command=Close", "device.close"},
                      GameTuneOpenAndPlay}));
}

TEST(Music, TheGameTuneStartsAgainEachTimeItEnds) {
    HeadlessGame program(1);
    program.play();
    for (int loop = 0; loop < 3; ++loop) {
        program.tick(200);
        program.sequencer.finish();
        EXPECT_EQ(program.sequencer.takeLog(),
                  concat({{"Form1.MMControl1.Notify=false", "Form1.MMControl1.Command=Close",
                           "device.close"},
                          GameTuneOpenAndPlay}));
    }
}

TEST(Music, TheEndOfAGameSilencesTheGameTuneForGood) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(1, 3);
    program.tick(6);
    program.host.type('3');
    EXPECT_EQ(program.sequencer.takeLog(), (Log{"Form1.MMControl1.Command=Stop", "device.stop",
                                                "Form1.MMControl1.Command=Close", "device.close"}));
    EXPECT_TRUE(game.GameOver);
    program.app.dispatch([&] { game.MMControl1_Done(1); });
    EXPECT_TRUE(program.sequencer.takeLog().empty());
    EXPECT_FALSE(program.sequencer.playing);
}

TEST(Music, ClosingTheGameOverWindowBringsBackTheTitleTune) {
    HeadlessGame program;
    Form1& game = program.play();
    program.app.dispatch([&] { game.Shape1.Height = 1; });
    program.random.creature(5, 3);
    program.tick(27);
    ASSERT_TRUE(game.GameOver);
    program.sequencer.takeLog();
    program.host.click(program.gameOver(), "Command1");
    EXPECT_EQ(program.sequencer.takeLog(),
              concat({{"Form1.MMControl1.Command=Close"}, TitleTuneReplay}));
}

TEST(Music, ClosingTheGameWindowMidGameClosesItsTuneAndBringsBackTheTitleTune) {
    HeadlessGame program(1);
    program.play();
    program.tick(40);
    program.host.closeBox(program.game());
    EXPECT_EQ(program.sequencer.takeLog(),
              concat({{"Form1.MMControl1.Command=Close", "device.close"}, TitleTuneReplay}));
}

TEST(Music, SalirBeforeAnyGameLoadsAndUnloadsTheGameWithoutASoundOfItsTune) {
    HeadlessGame program;
    program.sequencer.takeLog();
    program.host.click(program.title(), "Command2");
    // The game window's start-up runs, but the title tune still holds the sequencer, so the
    // game tune never opens and never plays.
    Log gameTuneRefused = GameTuneOpenAndPlay;
    gameTuneRefused.pop_back();
    EXPECT_EQ(program.sequencer.takeLog(),
              concat({gameTuneRefused,
                      {"Form1.MMControl1.Command=Close", "Form1.MMControl1.Command=Close",
                       "Form2.MMControl1.Command=Close", "device.close",
                       "Form2.MMControl1.Command=Close"}}));
    EXPECT_TRUE(program.host.hasQuit());
    EXPECT_TRUE(program.app.loadedForms().empty());
}

TEST(Music, MissingTunesLeaveTheGameSilentButPlayable) {
    HeadlessGame program;
    program.sequencer.unplayable = {"music.mid"};
    Form1& game = program.play();
    program.random.creature(5, 5);
    program.tick(6);
    program.host.type('5');
    EXPECT_EQ(game.Score, 230);
    EXPECT_FALSE(program.sequencer.playing);
}

} // namespace
