// The media control: exclusive open, one-shot Notify, and which plays report their end.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

TEST(MediaControl, OpensTheSequencerForOneControlAtATime) {
    HeadlessGame program;
    Form1& game = program.game();
    EXPECT_TRUE(program.title().MMControl1.isOpen());
    EXPECT_FALSE(game.MMControl1.isOpen());
    program.app.dispatch([&] {
        program.title().MMControl1.Command = "Close";
        game.MMControl1.Command = "Open";
        program.title().MMControl1.Command = "Open";
    });
    EXPECT_TRUE(game.MMControl1.isOpen());
    EXPECT_FALSE(program.title().MMControl1.isOpen());
    EXPECT_EQ(program.sequencer.openFile, "music.mid");
}

TEST(MediaControl, ClosingAClosedControlLeavesAnotherControlsTuneAlone) {
    HeadlessGame program;
    Form1& game = program.game();
    program.sequencer.takeLog();
    program.app.dispatch([&] { game.MMControl1.Command = "Close"; });
    EXPECT_EQ(program.sequencer.openFile, "present.mid");
    EXPECT_EQ(program.sequencer.takeLog(),
              std::vector<std::string>{"Form1.MMControl1.Command=Close"});
}

TEST(MediaControl, AnUnknownDeviceTypeOrCommandDoesNothing) {
    HeadlessGame program;
    Form1& game = program.game();
    program.app.dispatch([&] {
        program.title().MMControl1.Command = "Close";
        game.MMControl1.DeviceType = std::string("WaveAudio");
        game.MMControl1.Command = "Open";
        game.MMControl1.Command = "Rewind";
    });
    EXPECT_FALSE(game.MMControl1.isOpen());
    EXPECT_EQ(program.host.fatalMessage(), "");
}

TEST(MediaControl, NotifyAppliesToTheNextCommandOnly) {
    HeadlessGame program;
    Form1& game = program.play();
    program.app.dispatch([&] {
        game.MMControl1.Command = "Stop";
        game.MMControl1.Command = "Play";
    });
    program.sequencer.takeLog();
    program.sequencer.finish();
    EXPECT_TRUE(program.sequencer.takeLog().empty());
}

TEST(MediaControl, AStoppedOrClosedPlayReportsNothing) {
    HeadlessGame program;
    Form1& game = program.play();
    program.app.dispatch([&] { game.MMControl1.Command = "Stop"; });
    program.sequencer.takeLog();
    program.sequencer.finish();
    EXPECT_TRUE(program.sequencer.takeLog().empty());
}

} // namespace
