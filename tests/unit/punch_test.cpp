// Punches: the hammer, the punch window, scores, markers and the games they end.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// A game with one creature of `kind` fully risen in `hole`.
struct RisenCreature : HeadlessGame {
    Form1& game;
    RisenCreature(int kind, int hole)
        : game(play()) {
        random.creature(kind, hole);
        tick(6);
    }
};

TEST(Hammer, AlternatesPosesWithItsDropOnEveryDigit) {
    HeadlessGame program;
    Form1& game = program.play();
    EXPECT_TRUE(game.Image4.Picture.isEmpty());
    program.host.type('7');
    EXPECT_EQ(game.Image4.Picture.name, "hammer-upright");
    EXPECT_EQ(game.Image4.Left, 360 + 60);
    EXPECT_EQ(game.Image4.Top, 360 + 60 + 230);
    EXPECT_EQ(game.Image4.Width, 735);
    EXPECT_TRUE(game.Image4.Visible);
    program.host.type('3');
    EXPECT_EQ(game.Image4.Picture.name, "hammer-tilted");
    EXPECT_EQ(game.Image4.Left, 2760 + 60);
    EXPECT_EQ(game.Image4.Top, 3000 + 60);
    program.host.type('5');
    EXPECT_EQ(game.HammerPicture, 11);
    EXPECT_EQ(game.Image4.Top, 1680 + 60 + 230);
}

TEST(Hammer, KeysOtherThanOneToNineChangeNothing) {
    HeadlessGame program;
    Form1& game = program.play();
    program.host.type('5');
    const float left = game.Image4.Left;
    const float top = game.Image4.Top;
    for (int key : {int{'0'}, int{':'}, int{'/'}, int{'a'}, int{' '}, 13, 27, 0, -1, 255, 0x7FFF}) {
        program.host.type(static_cast<std::int16_t>(key));
        EXPECT_EQ(game.HammerPicture, 11) << key;
        EXPECT_EQ(game.Image4.Left, left) << key;
        EXPECT_EQ(game.Image4.Top, top) << key;
    }
}

TEST(PunchWindow, PunchesOnlyWhileTheCreaturesStandFullyRisen) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(5, 2);
    program.tick(5);
    program.host.type('2');
    EXPECT_EQ(game.Score, 0);
    EXPECT_FALSE(game.Image3(1).Visible);
    program.tick(21);
    program.host.type('2');
    EXPECT_EQ(game.Score, 230);
}

TEST(PunchWindow, ClosesOnTheFirstSinkingTick) {
    RisenCreature program(5, 2);
    program.tick(21);
    program.host.type('2');
    EXPECT_EQ(program.game.Score, 0);
    EXPECT_EQ(program.game.Label1.Caption, "");
}

TEST(PunchWindow, AnEmptyHoleIsNotPunched) {
    RisenCreature program(5, 2);
    program.host.type('3');
    EXPECT_EQ(program.game.Score, 0);
    EXPECT_FALSE(program.game.Image3(2).Visible);
}

class TargetScore : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(TargetScore, ScoresAndShowsTheStar) {
    const auto [kind, points] = GetParam();
    RisenCreature program(kind, 6);
    program.host.type('6');
    Form1& game = program.game;
    EXPECT_EQ(game.Score, points);
    EXPECT_EQ(game.Label1.Caption, " " + std::to_string(points));
    EXPECT_TRUE(game.Image3(5).Visible);
    EXPECT_EQ(game.Image3(5).Picture.name, "star");
    EXPECT_EQ(game.Image2(6).Tag, "0");
    EXPECT_EQ(game.Shape1.Height, 1572);
}

INSTANTIATE_TEST_SUITE_P(Kinds, TargetScore,
                         ::testing::Values(std::pair{5, 230}, std::pair{6, 230}, std::pair{7, 130},
                                           std::pair{8, 30}));

TEST(WrongPunch, CostsThirtyPointsFlooredAtZeroAndTwoBarUnits) {
    for (int kind : {2, 3, 4}) {
        SCOPED_TRACE(kind);
        RisenCreature program(kind, 1);
        Form1& game = program.game;
        game.Score = 10;
        program.host.type('1');
        EXPECT_EQ(game.Score, 0);
        EXPECT_EQ(game.Label1.Caption, " 0");
        EXPECT_EQ(game.Image3(0).Picture.name, "no");
        EXPECT_TRUE(game.Image3(0).Visible);
        EXPECT_EQ(game.Shape1.Height, 1572 - 98);
        EXPECT_EQ(game.Image2(1).Tag, "0");
        EXPECT_FALSE(game.GameOver);
    }
}

TEST(WrongPunch, ASecondPunchOnAResolvedHoleChangesNothing) {
    for (int kind : {3, 5}) {
        RisenCreature program(kind, 9);
        Form1& game = program.game;
        game.Score = 500;
        program.host.type('9');
        const auto score = game.Score;
        const float bar = game.Shape1.Height;
        program.host.type('9');
        EXPECT_EQ(game.Score, score) << kind;
        EXPECT_EQ(game.Shape1.Height, bar) << kind;
        EXPECT_EQ(game.HammerPicture, 10) << kind;
    }
}

TEST(WrongPunch, ABarTooShortForThePenaltyEndsTheGameAndKeepsItsHeight) {
    RisenCreature program(3, 5);
    Form1& game = program.game;
    game.Score = 100;
    game.Shape1.Height = 98;
    program.host.type('5');
    EXPECT_EQ(game.Score, 70);
    EXPECT_TRUE(game.Image3(4).Visible);
    EXPECT_EQ(game.Shape1.Height, 98);
    EXPECT_TRUE(game.GameOver);
    EXPECT_EQ(program.gameOver().Label4.Caption, " 70");
    EXPECT_EQ(game.Image2(5).Tag, "0");
}

TEST(WrongPunch, PunchingKindOneEndsTheGameEvenWithPlentyOfTime) {
    RisenCreature program(1, 4);
    Form1& game = program.game;
    game.Score = 260;
    program.host.type('4');
    EXPECT_EQ(game.Score, 230);
    EXPECT_EQ(game.Shape1.Height, 1572 - 98);
    EXPECT_TRUE(game.GameOver);
    EXPECT_FALSE(game.Timer1.Enabled);
    EXPECT_EQ(program.gameOver().Label4.Caption, " 230");
}

TEST(WrongPunch, KindOneWithAShortBarEndsTheGameTwiceButOpensOneWindow) {
    RisenCreature program(1, 4);
    Form1& game = program.game;
    game.Shape1.Height = 50;
    program.sequencer.takeLog();
    program.host.type('4');
    EXPECT_TRUE(game.GameOver);
    EXPECT_EQ(game.Shape1.Height, 50);
    EXPECT_EQ(game.Label1.Caption, " 0");
    EXPECT_EQ(program.gameOver().Label4.Caption, " 0");
    const auto log = program.sequencer.takeLog();
    EXPECT_EQ(std::count(log.begin(), log.end(), "Form1.MMControl1.Command=Stop"), 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "device.stop"), 1);
    int windows = 0;
    for (Form* form : program.app.loadedForms())
        windows += dynamic_cast<Form3*>(form) != nullptr;
    EXPECT_EQ(windows, 1);
    // The game-over window is active and the game takes no more keys.
    EXPECT_EQ(program.app.activeForm(), &program.gameOver());
    EXPECT_FALSE(game.Enabled);
    program.app.keyPress(game, '4');
    EXPECT_EQ(game.HammerPicture, 11);
}

} // namespace
