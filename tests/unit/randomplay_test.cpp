// Whole games by random players, their scores and bars checked against their own reckoning.
#include "support/randomplayer.h"

#include <gtest/gtest.h>

using namespace tanzel::test;

TEST(RandomPlay, EveryScoreAndBarAgreesWithThePlayersOwnReckoningThroughAllStages) {
    HeadlessGame program(20261207);
    RandomPlayer wild(1, 0.3, 0.0);
    RandomPlayer skilled(2, 0.01, 0.4);
    for (int game = 0; game < 300; ++game) {
        RandomPlayer& player = game % 3 == 2 ? skilled : wild;
        ASSERT_EQ(player.playGame(program), "") << "game " << game + 1;
    }
    EXPECT_EQ(skilled.highestLevel, 3);
}
