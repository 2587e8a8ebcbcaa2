// The game's own rhythm: the tick through a cycle, the cost of escapes, spawns, stages.
#include "support/headlessgame.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// Every hole as height@top, the top counted from the hole's risen top; a visible one starred, one
// with its marker showing marked +.
std::string board(Form1& game) {
    std::ostringstream text;
    for (int n = 1; n <= 9; ++n)
        text << (n > 1 ? " " : "") << (game.Image2(n).Visible ? "*" : "")
             << (game.Image3(n - 1).Visible ? "+" : "") << game.Image2(n).Height << "@"
             << game.Image2(n).Top - game.Image1(n - 1).Top;
    return text.str();
}

// One letter a tick: spawn, rising, up, sinking; upper case while punches count.
char phase(Form1& game) {
    const char letter = "prus"[static_cast<int>(game.GameState)];
    return game.CreatureUp == 1 ? static_cast<char>(std::toupper(letter)) : letter;
}

// Friends of kind 4 in holes 2, 4 and 6: the hidden holes around them take every step too, and
// those after the last visible one keep moving after the realignment that ends the rise. A punch
// counts only while they stand, its marker goes as they sink, and the escaped friends cost no time.
// The cycle's length at speed 8 shows in the stages' times below.
TEST(Tick, ACycleRisesStandsAndSinksEveryHoleInStep) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 3;
    for (int hole : {2, 4, 6})
        program.random.creature(4, hole);
    const float bar = game.Shape1.Height;
    std::string phases, risen;
    do {
        program.tick();
        phases += phase(game);
        if (phases == "rr")
            program.host.type('2');
        if (game.GameState == TickState::Up && risen.empty()) {
            program.host.type('4');
            risen = board(game);
        }
    } while (game.GameState != TickState::Spawn && phases.size() < 40);
    EXPECT_EQ(phases, "rrrrr" + std::string(20, 'U') + "Ssssp");
    EXPECT_EQ(risen, "1200@0 *975@0 1200@0 *+975@0 1200@0 *975@0 1200@-240 1200@-240 1200@-240");
    EXPECT_EQ(board(game),
              "240@975 *15@975 240@975 *15@975 240@975 *15@975 240@1215 240@1215 240@1215");
    EXPECT_EQ(std::tuple(game.Label1.Caption, game.Shape1.Height), std::tuple(" 0", bar - 98));
}

TEST(Tick, ACostTheBarCannotPayEndsTheGameThereWithTheRestOfTheTickUndone) {
    HeadlessGame program;
    Form1& game = program.play();
    game.Level = 3;
    for (int hole : {2, 5, 8})
        program.random.creature(5, hole);
    program.tick(26);
    program.app.dispatch([&] { game.Shape1.Height = 120; });
    program.tick();
    // Holes 1 to 4 sank a step, hole 2 paying its 60; hole 5 could not pay the 60 left, and the
    // tick ended there.
    EXPECT_EQ(board(game),
              "960@240 *735@240 960@240 960@240 *975@0 1200@0 1200@0 *975@0 1200@-240");
    // No timer runs. Nothing was punched: the score label is empty, and the game-over window's too.
    const Form3& over = program.gameOver();
    EXPECT_EQ(std::tuple(game.Shape1.Height, game.GameOver, program.host.nextTimerIn(),
                         over.isShown(), over.Label4.Caption),
              std::tuple(60.0F, true, -1, true, ""));
}

TEST(Spawn, EachLevelDrawsKindThenHoleAndPlacesItsCreatures) {
    const auto k = ScriptedRandom::kindDraw, h = ScriptedRandom::holeDraw;
    const float last = std::nextafter(1.0F, 0.0F);
    const struct {
        std::int16_t level;
        std::vector<float> draws;
        std::string board;
    } cases[] = {
        {1, {k(2), h(9)}, "........2"},
        {2, {0, 0, last, last}, "1.......8"},
        // The second creature takes the first one's hole.
        {2, {0, h(4), k(7), h(4)}, "...7....."},
        // Holes are drawn again, kinds are not, until all three differ.
        {3, {k(5), h(3), k(6), h(3), h(7), k(8), h(7), h(3), h(1)}, "8.5...6.."},
    };
    for (const auto& c : cases) {
        HeadlessGame program;
        Form1& game = program.play();
        game.Level = c.level;
        program.random.draws.assign(c.draws.begin(), c.draws.end());
        program.tick();
        // A creature whose picture is not its kind's shows as '?'.
        std::string placed;
        for (int n = 1; n <= 9; ++n) {
            const Image& hole = game.Image2(n);
            const bool drawn = hole.Picture.name == "kind" + hole.Tag;
            placed += !hole.Visible ? '.' : drawn ? hole.Tag.front() : '?';
        }
        EXPECT_EQ(placed, c.board);
        EXPECT_EQ(program.random.reseeds, static_cast<int>(c.draws.size()));
        EXPECT_TRUE(program.random.draws.empty());
    }
}

// The minute timer raises a flag that the next spawn turns into one step: a new speed counts
// from that spawn, a new level (more creatures) from the one after.
TEST(Spawn, TheStagesChangeAtTheFirstSpawnOfEachMinute) {
    HeadlessGame program;
    // Friends, so that the game lasts, in holes that never repeat within a spawn; more of them
    // than 330 s of spawns take.
    for (int n = 0; n < 1000; ++n)
        program.random.creature(2, n % 9 + 1);
    Form1& game = program.play();
    std::vector<std::string> changes;
    while (program.host.now() < 330000) {
        const bool spawns = game.GameState == TickState::Spawn;
        program.tick();
        if (!spawns)
            continue;
        const std::string stage = std::to_string(std::ranges::count(board(game), '*')) +
                                  " creatures, level " + std::to_string(game.Level) + ", speed " +
                                  std::to_string(game.Speed);
        if (changes.empty() || !changes.back().ends_with(": " + stage))
            changes.push_back(std::to_string(program.host.now()) + ": " + stage);
    }
    EXPECT_EQ(changes,
              (std::vector<std::string>{
                  "50: 1 creatures, level 1, speed 4", "60050: 1 creatures, level 1, speed 8",
                  "120350: 1 creatures, level 2, speed 4", "121850: 2 creatures, level 2, speed 4",
                  "180350: 2 creatures, level 2, speed 8", "240650: 2 creatures, level 3, speed 8",
                  "241550: 3 creatures, level 3, speed 8"}));
    EXPECT_TRUE(game.SpeedUpDue);
}

} // namespace
