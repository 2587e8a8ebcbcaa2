// The numeric and text built-ins.
#include "platform/basic.h"
#include "platform/randomsource.h"

#include <gtest/gtest.h>
#include <set>

using namespace tanzel;

namespace {

TEST(Str, ReservesTheFirstCharacterForTheSign) {
    EXPECT_EQ(Str(230), " 230");
    EXPECT_EQ(Str(0), " 0");
    EXPECT_EQ(Str(-30), "-30");
    EXPECT_EQ(Str(2147483647), " 2147483647");
}

TEST(Int, RoundsTowardsMinusInfinity) {
    EXPECT_EQ(Int(1572.0F / 32), 49);
    EXPECT_EQ(Int(975.0F / 16), 60);
    EXPECT_EQ(Int(8.999F), 8);
    EXPECT_EQ(Int(-0.5F), -1);
}

TEST(EngineRandom, ReseedingWithAnUnchangedClockStillGivesFreshDraws) {
    EngineRandom random(1);
    std::set<float> draws;
    for (int i = 0; i < 100; ++i) {
        random.Randomize(1234);
        const float r = random.Rnd();
        EXPECT_GE(r, 0.0F);
        EXPECT_LT(r, 1.0F);
        draws.insert(r);
    }
    EXPECT_GT(draws.size(), 95U);
}

TEST(EngineRandom, EveryHoleComesUpAboutEquallyOften) {
    EngineRandom random(99);
    int counts[10] = {};
    for (int i = 0; i < 90000; ++i) {
        random.Randomize(42);
        ++counts[static_cast<int>(Int(random.Rnd() * 9 + 1))];
    }
    EXPECT_EQ(counts[0], 0);
    for (int hole = 1; hole <= 9; ++hole)
        EXPECT_NEAR(counts[hole], 10000, 400) << hole;
}

} // namespace
