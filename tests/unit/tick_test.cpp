// The tick: the rhythm of a cycle, the punch window and the cost of escaped targets.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

struct Frame {
    float height;
    TickState state;
    std::int16_t creatureUp;
};

std::vector<Frame> playCycle(HeadlessGame& program, int hole) {
    Form1& game = program.game();
    std::vector<Frame> frames;
    do {
        program.tick();
        frames.push_back({game.Image2(hole).Height, game.GameState, game.CreatureUp});
    } while (game.GameState != TickState::Spawn);
    return frames;
}

TEST(TickRhythm, AtSpeedFourACreatureRisesInFiveStandsTwentyAndSinksInFour) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(3, 5);
    const auto frames = playCycle(program, 5);

    ASSERT_EQ(frames.size(), 1U + 5U + 20U + 4U);
    EXPECT_EQ(frames[0].state, TickState::Rising);
    std::vector<float> rise;
    for (std::size_t i = 1; i <= 5; ++i)
        rise.push_back(frames[i].height);
    EXPECT_EQ(rise, (std::vector<float>{240, 480, 720, 960, 975}));
    std::vector<float> sink;
    for (std::size_t i = 26; i <= 29; ++i)
        sink.push_back(frames[i].height);
    EXPECT_EQ(sink, (std::vector<float>{735, 495, 255, 15}));

    // The punch window opens on the tick that completes the rise and closes on the first
    // sinking tick.
    for (std::size_t i = 0; i < frames.size(); ++i)
        EXPECT_EQ(frames[i].creatureUp, i >= 5 && i <= 25 ? 1 : 0) << "tick " << i + 1;
    EXPECT_EQ(game.Image2(5).Top, 1680 + 975);
}

TEST(TickRhythm, AtSpeedEightACreatureRisesInThreeStandsTwelveAndSinksInTwo) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Speed = 8;
    program.random.creature(2, 9);
    const auto frames = playCycle(program, 9);

    ASSERT_EQ(frames.size(), 1U + 3U + 12U + 2U);
    EXPECT_EQ((std::vector<float>{frames[1].height, frames[2].height, frames[3].height}),
              (std::vector<float>{480, 960, 975}));
    EXPECT_EQ((std::vector<float>{frames[16].height, frames[17].height}),
              (std::vector<float>{495, 15}));
    int window = 0;
    for (const Frame& frame : frames)
        window += frame.creatureUp;
    EXPECT_EQ(window, 13);
}

TEST(TickRhythm, RisenCreaturesStandAtTheirRememberedTopAndSinkToTheHoleBottom) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 3;
    game.Speed = 8;
    program.random.creature(5, 1);
    program.random.creature(6, 5);
    program.random.creature(7, 9);
    program.tick(4);
    for (int n : {1, 5, 9})
        EXPECT_EQ(game.Image2(n).Top, game.Image1(n - 1).Top) << n;
    program.tick(14);
    ASSERT_EQ(game.GameState, TickState::Spawn);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(game.Image2(n).Top, game.Image1(n - 1).Top + 975) << n;
}

TEST(TickRhythm, HiddenCreaturesGrowAndShrinkButNeverEndAPhase) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(3, 5);
    program.tick(5);
    EXPECT_EQ(game.Image2(1).Height, 960);
    program.tick();
    EXPECT_EQ(game.GameState, TickState::Up);
    EXPECT_EQ(game.Image2(1).Height, 1200);
}

class MissCost : public ::testing::TestWithParam<std::int16_t> {};

TEST_P(MissCost, AnEscapedTargetCostsEightyTwipsPerLevelChargedTickByTick) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Speed = GetParam();
    program.random.creature(8, 4);
    std::vector<float> bar;
    do {
        const bool sinking = game.GameState == TickState::Sinking;
        program.tick();
        if (sinking)
            bar.push_back(game.Shape1.Height);
    } while (game.GameState != TickState::Spawn);
    const float perTick = static_cast<float>(5 * GetParam());
    std::vector<float> expected;
    for (std::size_t i = 1; i <= bar.size(); ++i)
        expected.push_back(1572 - perTick * static_cast<float>(i));
    EXPECT_EQ(bar, expected);
    EXPECT_EQ(game.Shape1.Height, 1572 - 80);
    EXPECT_EQ(game.Shape1.Top, 1100);
}

INSTANTIATE_TEST_SUITE_P(BothSpeeds, MissCost, ::testing::Values(4, 8));

TEST(MissCost, ScalesWithTheLevelAndIsChargedHoleByHole) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 2;
    program.random.creature(5, 3);
    program.random.creature(6, 7);
    program.tick(1 + 5 + 20 + 1);
    EXPECT_EQ(game.Shape1.Height, 1572 - 2 * 40);
    program.tick(3);
    EXPECT_EQ(game.Shape1.Height, 1572 - 2 * 160);
}

TEST(MissCost, FriendsAndPunchedTargetsCostNothing) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 3;
    program.random.creature(1, 1);
    program.random.creature(4, 2);
    program.random.creature(7, 3);
    program.tick(6);
    program.host.type('3');
    EXPECT_EQ(game.Score, 130);
    program.tick(24);
    EXPECT_EQ(game.GameState, TickState::Spawn);
    EXPECT_EQ(game.Shape1.Height, 1572);
}

TEST(MissCost, ACostTheBarCannotPayEndsTheGameMidLoopWithTheBarUnchanged) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 3;
    program.random.creature(5, 2);
    program.random.creature(6, 5);
    program.random.creature(7, 8);
    program.tick(1 + 5 + 20);
    // Hole 2 can pay its 60, hole 5 cannot pay the next 60.
    game.Shape1.Height = 100;
    program.tick();
    EXPECT_TRUE(game.GameOver);
    EXPECT_EQ(game.Shape1.Height, 40);
    EXPECT_FALSE(game.Timer1.Enabled);
    EXPECT_FALSE(game.Timer2.Enabled);
    // The tick stopped at hole 5: hole 2 sank a step, holes 5 and 8 did not.
    EXPECT_EQ(game.Image2(2).Height, 735);
    EXPECT_EQ(game.Image2(5).Height, 975);
    EXPECT_EQ(game.Image2(8).Height, 975);
    EXPECT_TRUE(program.app.isLoaded<Form3>());
    const float frozen = game.Image2(2).Height;
    program.tick(100);
    EXPECT_EQ(game.Image2(2).Height, frozen);
}

TEST(MissCost, ABarExactlyAsLongAsTheCostEndsTheGame) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(5, 2);
    program.tick(26);
    game.Shape1.Height = 20;
    program.tick();
    EXPECT_TRUE(game.GameOver);
    EXPECT_EQ(game.Shape1.Height, 20);
}

TEST(MissCost, AGameEndsByTheBarRunningOutWithNoKeyPressed) {
    HeadlessGame program;
    Form1& game = program.play();
    int cycles = 0;
    while (!game.GameOver && cycles < 100) {
        program.random.creature(6, 1 + cycles % 9);
        program.tick(30);
        ++cycles;
    }
    // 1572 twips pay for 19 escaped targets at 80 each; the 20th pays two of its four ticks.
    EXPECT_TRUE(game.GameOver);
    EXPECT_EQ(cycles, 20);
    EXPECT_EQ(game.Shape1.Height, 1572 - 19 * 80 - 2 * 20);
    EXPECT_EQ(program.gameOver().Label4.Caption, "");
}

} // namespace
