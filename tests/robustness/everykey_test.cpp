// Every one of the 65,536 key codes in every state of a game: only the digits 1 to 9 do anything.
#include "programstate.h"
#include "support/headlessgame.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>

using namespace tanzel;
using namespace tanzel::test;

namespace {

struct GameMoment {
    const char* name;
    std::function<void(HeadlessGame&)> reach;
    // Whether a digit may change anything here at all.
    bool digitsPlay;
};

void PrintTo(const GameMoment& moment, std::ostream* out) {
    *out << moment.name;
}

void tickUntil(HeadlessGame& program, TickState state) {
    for (int tick = 0; tick < 200 && program.game().GameState != state; ++tick)
        program.tick();
    ASSERT_EQ(program.game().GameState, state);
}

// A villain of kind 6 in hole 5, up and not yet punched.
void villainUp(HeadlessGame& program) {
    program.play();
    program.random.creature(6, 5);
    tickUntil(program, TickState::Up);
}

const GameMoment moments[] = {
    {"Title", [](HeadlessGame&) {}, false},
    {"FirstSpawn", [](HeadlessGame& program) { program.play(); }, true},
    // A scored villain has sunk and the next spawn is one tick away.
    {"SpawnAfterAHit",
     [](HeadlessGame& program) {
         villainUp(program);
         program.host.type('5');
         tickUntil(program, TickState::Spawn);
         ASSERT_EQ(program.game().Score, 230);
     },
     true},
    {"Rising",
     [](HeadlessGame& program) {
         program.play();
         program.random.creature(6, 5);
         program.tick(2);
         ASSERT_EQ(program.game().GameState, TickState::Rising);
         ASSERT_GT(program.game().Image2(5).Height, 0);
     },
     true},
    {"UpUnpunched", villainUp, true},
    // A friend punched by mistake: its marker shows and the bar is shorter.
    {"UpWithAMarker",
     [](HeadlessGame& program) {
         program.play();
         program.random.creature(3, 5);
         tickUntil(program, TickState::Up);
         program.host.type('5');
         ASSERT_TRUE(program.game().Image3(4).Visible);
     },
     true},
    // An escaping villain has already been charged to the bar.
    {"Sinking",
     [](HeadlessGame& program) {
         villainUp(program);
         const float fullBar = program.game().Shape1.Height;
         tickUntil(program, TickState::Sinking);
         program.tick();
         ASSERT_LT(program.game().Shape1.Height, fullBar);
     },
     true},
    {"GameOver",
     [](HeadlessGame& program) {
         program.play();
         program.random.creature(1, 5);
         tickUntil(program, TickState::Up);
         program.host.type('5');
         ASSERT_TRUE(program.app.isLoaded<Form3>());
     },
     false},
};

bool isPlayingDigit(int key) {
    return key >= '1' && key <= '9';
}

class EveryKey : public ::testing::TestWithParam<GameMoment> {};

TEST_P(EveryKey, ChangesNothingUnlessItIsADigitFromOneToNine) {
    HeadlessGame program;
    ASSERT_NO_FATAL_FAILURE(GetParam().reach(program));
    const ProgramState reached = ProgramState::capture(program.app);
    const std::size_t mediaEntries = program.sequencer.log.size();
    int tried = 0;
    for (int key = std::numeric_limits<std::int16_t>::min();
         key <= std::numeric_limits<std::int16_t>::max(); ++key) {
        if (GetParam().digitsPlay && isPlayingDigit(key))
            continue;
        program.host.type(static_cast<std::int16_t>(key));
        ++tried;
        const ProgramState now = ProgramState::capture(program.app);
        ASSERT_TRUE(now == reached) << "key " << key << " changed:\n" << reached.changesTo(now);
    }
    EXPECT_EQ(program.sequencer.log.size(), mediaEntries) << "a key sent a media command";
    EXPECT_TRUE(program.host.messageBoxes().empty());
    EXPECT_EQ(program.host.fatalMessage(), "");
    EXPECT_EQ(tried, GetParam().digitsPlay ? 65536 - 9 : 65536);
}

class EveryDigit : public ::testing::TestWithParam<GameMoment> {};

TEST_P(EveryDigit, SwingsTheHammerOverItsHole) {
    for (int hole = 1; hole <= 9; ++hole) {
        HeadlessGame program;
        ASSERT_NO_FATAL_FAILURE(GetParam().reach(program));
        Form1& game = program.game();
        const std::int16_t hammerBefore = game.HammerPicture;
        program.host.type(static_cast<std::int16_t>('0' + hole));
        EXPECT_NE(game.HammerPicture, hammerBefore) << hole;
        EXPECT_TRUE(game.Image4.Visible) << hole;
        EXPECT_EQ(game.Image4.Left, game.Image2(hole).Left + game.StepUnit) << hole;
    }
}

// Keys sent to the game window itself once the game is over, past the game-over window.
TEST(EveryKeyAfterGameOver, SentToTheFrozenGameWindowChangesNothing) {
    HeadlessGame program;
    program.play();
    program.random.creature(1, 5);
    ASSERT_NO_FATAL_FAILURE(tickUntil(program, TickState::Up));
    program.host.type('5');
    ASSERT_TRUE(program.app.isLoaded<Form3>());
    Form1& game = program.game();
    const ProgramState over = ProgramState::capture(program.app);
    for (int key = std::numeric_limits<std::int16_t>::min();
         key <= std::numeric_limits<std::int16_t>::max(); ++key) {
        program.app.keyPress(game, static_cast<std::int16_t>(key));
        const ProgramState now = ProgramState::capture(program.app);
        ASSERT_TRUE(now == over) << "key " << key << " changed:\n" << over.changesTo(now);
    }
}

std::string momentName(const ::testing::TestParamInfo<GameMoment>& moment) {
    return moment.param.name;
}

INSTANTIATE_TEST_SUITE_P(GameMoments, EveryKey, ::testing::ValuesIn(moments), momentName);
// The title and the game-over window ignore digits too, which the sweep above checks.
INSTANTIATE_TEST_SUITE_P(PlayingMoments, EveryDigit,
                         ::testing::ValuesIn(std::begin(moments) + 1, std::end(moments) - 1),
                         momentName);

} // namespace
