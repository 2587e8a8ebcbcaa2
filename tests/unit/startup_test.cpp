// Loading and unloading the game window.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

constexpr float DesignTop[10] = {0, 3000, 3000, 3000, 1680, 1680, 1680, 360, 360, 360};
constexpr float DesignLeft[10] = {0, 360, 1560, 2760, 360, 1560, 2760, 360, 1560, 2760};

TEST(GameStartup, SinksEveryCreatureBelowItsDesignTopAndRemembersTheTop) {
    HeadlessGame program;
    Form1& game = program.play();
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        EXPECT_FALSE(game.Image2(n).Visible);
        EXPECT_EQ(game.Image2(n).Height, 0);
        EXPECT_EQ(game.Image2(n).Top, DesignTop[n] + 975);
        EXPECT_EQ(game.Image2(n).Left, DesignLeft[n]);
        EXPECT_EQ(game.Image1(n - 1).Top, DesignTop[n]);
    }
}

TEST(GameStartup, PlacesEachMarkerOverItsRisenCreatureWithHoleOnesHeight) {
    HeadlessGame program;
    Form1& game = program.play();
    for (int n = 1; n <= 9; ++n) {
        SCOPED_TRACE(n);
        const Image& marker = game.Image3(n - 1);
        EXPECT_FALSE(marker.Visible);
        EXPECT_EQ(marker.Left, DesignLeft[n]);
        EXPECT_EQ(marker.Top, DesignTop[n]);
        EXPECT_EQ(marker.Width, n >= 4 && n <= 6 ? 972 : 975);
        EXPECT_EQ(marker.Height, 975);
    }
}

TEST(GameStartup, DerivesItsUnitsFromTheDesignAndStartsAtTheFirstStage) {
    HeadlessGame program;
    Form1& game = program.play();
    EXPECT_EQ(game.StepUnit, 60);
    EXPECT_EQ(game.CreatureHeight, 975);
    EXPECT_EQ(game.BarUnit, 49);
    EXPECT_EQ(game.Level, 1);
    EXPECT_EQ(game.Speed, 4);
    EXPECT_EQ(game.Score, 0);
    EXPECT_EQ(game.HammerPicture, 10);
    EXPECT_EQ(game.GameState, TickState::Spawn);
    EXPECT_FALSE(game.GameOver);
    EXPECT_FALSE(game.SpeedUpDue);
    EXPECT_FALSE(game.Spawning);
    EXPECT_EQ(game.Shape1.Height, 1572);
    EXPECT_EQ(game.Shape1.Top, 1100);
    EXPECT_EQ(game.Label1.Caption, "");
    EXPECT_TRUE(game.Image4.Picture.isEmpty());
    EXPECT_EQ(game.Timer1.Interval, 50);
    EXPECT_TRUE(game.Timer1.Enabled);
    EXPECT_EQ(game.Timer2.Interval, 60000);
    EXPECT_TRUE(game.Timer2.Enabled);
    EXPECT_FALSE(program.title().Enabled);
    EXPECT_EQ(program.title().WindowState, static_cast<WindowShowState>(1));
}

TEST(GameStartup, LeavesTheSceneryAlone) {
    HeadlessGame program;
    Form1& game = program.play();
    EXPECT_EQ(game.Image2(0).Picture.name, "background");
    EXPECT_EQ(game.Image2(0).Height, 4335);
    EXPECT_EQ(game.Image2(10).Top, 2880);
    EXPECT_TRUE(game.Image2(10).Picture.isEmpty());
}

TEST(GameStartup, OpensAndPlaysTheGameTuneWithCompletionNotice) {
    HeadlessGame program;
    program.sequencer.takeLog();
    program.host.click(program.title(), "Command1");
    const std::vector<std::string> expected{"Form2.MMControl1.Command=Stop",
                                            "device.stop",
                                            "Form2.MMControl1.Command=Close",
                                            "device.close",
                                            "Form1.MMControl1.Notify=false",
                                            "Form1.MMControl1.Wait=true",
                                            "Form1.MMControl1.Shareable=false",
                                            "Form1.MMControl1.DeviceType=Sequencer",
                                            "Form1.MMControl1.FileName=music.mid",
                                            "Form1.MMControl1.Command=Open",
                                            "device.open music.mid",
                                            "Form1.MMControl1.Notify=true",
                                            "Form1.MMControl1.Command=Play",
                                            "device.play"};
    EXPECT_EQ(program.sequencer.takeLog(), expected);
}

TEST(GameShutdown, ClosingTheWindowMidGameRestoresTheTitleAndClosesTheMusic) {
    HeadlessGame program(1);
    program.play();
    program.tick(7);
    program.host.closeBox(program.game());
    EXPECT_FALSE(program.app.isLoaded<Form1>());
    EXPECT_TRUE(program.title().Enabled);
    EXPECT_EQ(program.title().WindowState, static_cast<WindowShowState>(0));
    EXPECT_EQ(program.app.activeForm(), &program.title());
    const auto log = program.sequencer.takeLog();
    ASSERT_GE(log.size(), 2U);
    EXPECT_EQ(log[0], "Form1.MMControl1.Command=Close");
    EXPECT_EQ(log[1], "device.close");
    EXPECT_EQ(program.host.nextTimerIn(), -1);
}

TEST(GameShutdown, ASecondGameStartsFresh) {
    HeadlessGame program;
    Form1& first = program.play();
    program.random.creature(5, 7);
    program.tick(6);
    program.host.type('7');
    first.Shape1.Height = 10;
    program.host.closeBox(first);

    Form1& second = program.play();
    EXPECT_EQ(second.Score, 0);
    EXPECT_EQ(second.Level, 1);
    EXPECT_EQ(second.Speed, 4);
    EXPECT_EQ(second.Shape1.Height, 1572);
    EXPECT_EQ(second.Label1.Caption, "");
    EXPECT_EQ(second.HammerPicture, 10);
    EXPECT_TRUE(second.Image4.Picture.isEmpty());
}

} // namespace
