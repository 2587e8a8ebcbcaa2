// The spawners: the draws, the holes they fill, and the difficulty stages.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// The holes that show a creature, as "hole:kind" in hole order.
std::string board(Form1& game) {
    std::string result;
    for (int n = 1; n <= 9; ++n) {
        if (game.Image2(n).Visible)
            result += (result.empty() ? "" : " ") + std::to_string(n) + ":" + game.Image2(n).Tag;
    }
    return result;
}

TEST(SpawnLevel1, PutsTheDrawnKindInTheDrawnHoleAtHeightZero) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(6, 8);
    program.tick();
    EXPECT_EQ(board(game), "8:6");
    EXPECT_EQ(game.Image2(8).Picture.name, "kind6");
    EXPECT_TRUE(game.Image2(8).Enabled);
    for (int n = 1; n <= 9; ++n)
        EXPECT_EQ(game.Image2(n).Height, 0) << n;
    EXPECT_EQ(game.GameState, TickState::Rising);
    EXPECT_FALSE(game.Spawning);
    EXPECT_EQ(game.Kind1, 6);
    EXPECT_EQ(game.Hole1, 8);
    // The generator is re-seeded before each of the two draws.
    EXPECT_EQ(program.random.reseeds, 2);
}

TEST(SpawnLevel1, LeavesOldTagsOnEmptyHolesAndMayReuseAHole) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.creature(7, 4);
    program.tick(30);
    program.random.creature(2, 4);
    program.tick();
    EXPECT_EQ(board(game), "4:2");
    program.tick(29);
    program.random.creature(5, 1);
    program.tick();
    EXPECT_EQ(board(game), "1:5");
    EXPECT_EQ(game.Image2(4).Tag, "2");
}

TEST(SpawnLevel1, EveryKindAndHoleCanComeUpFromTheWholeRangeOfDraws) {
    HeadlessGame program;
    Form1& game = program.play();
    program.random.draws = {0.0F, 0.0F};
    program.tick();
    EXPECT_EQ(board(game), "1:1");
    program.tick(29);
    program.random.draws = {0.99999F, 0.99999F};
    program.tick();
    EXPECT_EQ(board(game), "9:8");
}

TEST(SpawnLevel2, ShowsTwoCreaturesOrOneWhenTheHolesCoincide) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 2;
    program.random.creature(5, 3);
    program.random.creature(1, 7);
    program.tick();
    EXPECT_EQ(board(game), "3:5 7:1");
    program.tick(29);
    program.random.creature(8, 6);
    program.random.creature(2, 6);
    program.tick();
    EXPECT_EQ(board(game), "6:2");
    EXPECT_EQ(game.Image2(6).Picture.name, "kind2");
    EXPECT_EQ(program.random.reseeds, 8);
}

TEST(SpawnLevel3, RedrawsHolesUntilAllThreeDifferKeepingTheKinds) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 3;
    game.Speed = 8;
    program.random.creature(1, 5);
    program.random.kind(1);
    program.random.hole(5);
    program.random.hole(5);
    program.random.hole(2);
    program.random.kind(1);
    program.random.hole(2);
    program.random.hole(5);
    program.random.hole(9);
    program.tick();
    EXPECT_EQ(board(game), "2:1 5:1 9:1");
    EXPECT_TRUE(program.random.draws.empty());
    EXPECT_EQ(program.random.reseeds, 10);
}

struct Stage {
    std::int16_t level;
    std::int16_t speed;
    friend bool operator==(const Stage&, const Stage&) = default;
};

std::ostream& operator<<(std::ostream& out, const Stage& stage) {
    return out << "(" << stage.level << ", " << stage.speed << ")";
}

// Plays on with friends in random holes and notes the stage at every spawn.
TEST(Difficulty, RunsThroughTheFiveStagesOneAMinuteEachAtTheFirstSpawnAfterItsTick) {
    HeadlessGame program;
    Form1& game = program.play();
    std::vector<Stage> stages;
    std::vector<std::int64_t> changedAt;
    Stage last{1, 4};
    while (program.host.now() < 5 * 60000 + 1000) {
        const bool spawnsNow = game.GameState == TickState::Spawn;
        if (spawnsNow) {
            for (int i = 0; i < 3; ++i)
                program.random.creature(2 + i,
                                        1 + 3 * i + static_cast<int>(program.host.now() % 3));
        }
        program.tick();
        if (spawnsNow)
            program.random.draws.clear();
        const Stage now{game.Level, game.Speed};
        if (!(now == last)) {
            stages.push_back(now);
            changedAt.push_back(program.host.now());
            last = now;
        }
    }
    EXPECT_EQ(stages, (std::vector<Stage>{{1, 8}, {2, 4}, {2, 8}, {3, 8}}));
    ASSERT_EQ(changedAt.size(), 4U);
    for (std::size_t i = 0; i < changedAt.size(); ++i) {
        const std::int64_t minute = 60000 * static_cast<std::int64_t>(i + 1);
        EXPECT_GT(changedAt[i], minute);
        EXPECT_LE(changedAt[i], minute + 30 * 50) << "stage " << i + 2;
    }
    // At the last stage the flag stays raised and nothing changes any more.
    EXPECT_TRUE(game.SpeedUpDue);
}

TEST(Difficulty, TwoMinuteTicksBeforeASpawnGiveOneStep) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Timer2_Timer();
    game.Timer2_Timer();
    program.random.creature(5, 5);
    program.tick();
    EXPECT_EQ(game.Speed, 8);
    EXPECT_EQ(game.Level, 1);
    EXPECT_FALSE(game.SpeedUpDue);
}

TEST(Difficulty, ANewSpeedAppliesToThisSpawnANewLevelFromTheNext) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Speed = 8;
    game.SpeedUpDue = true;
    program.random.creature(5, 5);
    program.tick();
    EXPECT_EQ(game.Level, 2);
    EXPECT_EQ(game.Speed, 4);
    EXPECT_EQ(board(game), "5:5");
    program.tick(29);
    ASSERT_EQ(game.GameState, TickState::Spawn);

    game.Speed = 8;
    game.SpeedUpDue = true;
    program.random.creature(5, 5);
    program.random.creature(6, 6);
    program.tick();
    EXPECT_EQ(game.Level, 3);
    EXPECT_EQ(board(game), "5:5 6:6");
}

TEST(Difficulty, AtTheLastStageTheFlagIsNeverConsumed) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 3;
    game.Speed = 8;
    game.SpeedUpDue = true;
    program.random.creature(5, 1);
    program.random.creature(5, 2);
    program.random.creature(5, 3);
    program.tick();
    EXPECT_TRUE(game.SpeedUpDue);
    EXPECT_EQ(game.Level, 3);
    EXPECT_EQ(game.Speed, 8);
}

} // namespace
