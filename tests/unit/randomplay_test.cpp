// Whole games played by a random player, with the invariants checked on every tick.
#include "support/randomplayer.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

TEST(RandomPlay, ThousandsOfWholeGamesKeepEveryInvariantOnEveryTick) {
    HeadlessGame program(20261206);
    const RandomPlayer::Options wild{.keyChance = 0.25, .maxBurst = 4, .nonDigitChance = 0.1};
    const RandomPlayer::Options skilled{.keyChance = 0.01, .maxBurst = 2, .skill = 0.3};
    RandomPlayer player(7, wild);
    constexpr int Games = 2000;
    for (int i = 0; i < Games; ++i) {
        // Mostly wild players, whose games are short; every tenth plays well and lasts.
        player.options = i % 10 == 9 ? skilled : wild;
        const std::string broken = player.playGame(program);
        ASSERT_EQ(broken, "") << "game " << i + 1;
    }
    EXPECT_EQ(player.games, Games);
    // Long enough games to have seen every stage.
    EXPECT_GT(player.longestGameTicks, 4 * 1200);
}

} // namespace
