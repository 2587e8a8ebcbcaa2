// The game's own rhythm: the tick through a cycle, the cost of escapes, spawns, stages.
#include "support/headlessgame.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// Every hole as height@top, the top counted from the hole's risen top; a visible one starred.
std::string board(Form1& game) {
    std::ostringstream text;
    for (int n = 1; n <= 9; ++n)
        text << (n > 1 ? " " : "") << (game.Image2(n).Visible ? "*" : "") << game.Image2(n).Height
             << "@" << game.Image2(n).Top - game.Image1(n - 1).Top;
    return text.str();
}

// One letter a tick: spawn, rising, up, sinking; upper case while punches count.
char phase(Form1& game) {
    const char letter = "prus"[static_cast<int>(game.GameState)];
    return game.CreatureUp == 1 ? static_cast<char>(std::toupper(letter)) : letter;
}

// Creatures in holes 2, 4 and 6: the hidden holes around them take every step too, and those
// after the last visible one keep moving after the realignment that ends the rise.
TEST(Tick, ACycleRisesStandsAndSinksEveryHoleInStepAtBothSpeeds) {
    const struct {
        std::int16_t speed;
        std::string phases;
        std::string risen, sunk;
    } cycles[] = {
        {4, "rrrrr" + std::string(20, 'U') + "Ssssp",
         "1200@0 *975@0 1200@0 *975@0 1200@0 *975@0 1200@-240 1200@-240 1200@-240",
         "240@975 *15@975 240@975 *15@975 240@975 *15@975 240@1215 240@1215 240@1215"},
        {8, "rrr" + std::string(12, 'U') + "Ssp",
         "1440@0 *975@0 1440@0 *975@0 1440@0 *975@0 1440@-480 1440@-480 1440@-480",
         "480@975 *15@975 480@975 *15@975 480@975 *15@975 480@1455 480@1455 480@1455"},
    };
    for (const auto& cycle : cycles) {
        HeadlessGame program;
        Form1& game = program.play();
        game.Level = 3;
        game.Speed = cycle.speed;
        for (int hole : {2, 4, 6})
            program.random.creature(2, hole);
        std::string phases;
        std::string risen;
        do {
            program.tick();
            phases += phase(game);
            if (game.GameState == TickState::Up && risen.empty())
                risen = board(game);
        } while (game.GameState != TickState::Spawn);
        EXPECT_EQ(phases, cycle.phases) << cycle.speed;
        EXPECT_EQ(risen, cycle.risen) << cycle.speed;
        EXPECT_EQ(board(game), cycle.sunk) << cycle.speed;
    }
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
    EXPECT_EQ(game.Shape1.Height, 60);
    EXPECT_TRUE(game.GameOver);
    EXPECT_FALSE(game.Timer1.Enabled || game.Timer2.Enabled);
    EXPECT_EQ(program.host.nextTimerIn(), -1);
    // Nothing was punched, so the score label is empty, and the game-over window copies it as is.
    EXPECT_EQ(std::tuple(program.gameOver().isShown(), program.gameOver().Label4.Caption),
              std::tuple(true, ""));
}

TEST(Spawn, EachLevelDrawsKindThenHoleAndPlacesItsCreatures) {
    const auto k = ScriptedRandom::kindDraw;
    const auto h = ScriptedRandom::holeDraw;
    const float last = std::nextafter(1.0F, 0.0F);
    const struct {
        std::int16_t level;
        std::vector<float> draws;
        std::string board;
    } cases[] = {
        {1, {k(2), h(9)}, "........2"},
        {1, {0, 0}, "1........"},
        {1, {last, last}, "........8"},
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
    for (int hole = 1; hole <= 9; ++hole)
        program.random.cycle.insert(program.random.cycle.end(),
                                    {0.2F, ScriptedRandom::holeDraw(hole)});
    Form1& game = program.play();
    std::vector<std::string> changes;
    std::string stage;
    while (program.host.now() < 330000) {
        const bool spawns = game.GameState == TickState::Spawn;
        program.tick();
        if (!spawns)
            continue;
        int creatures = 0;
        for (int n = 1; n <= 9; ++n)
            creatures += game.Image2(n).Visible;
        std::ostringstream now;
        now << creatures << " creatures, level " << game.Level << ", speed " << game.Speed;
        if (now.str() != stage)
            changes.push_back(std::to_string(program.host.now()) + ": " + now.str());
        stage = now.str();
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
