// Punches: which keys count, where the hammer lands, and what a hit is worth.
#include "support/headlessgame.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// Everything a key press can change.
std::string reach(Form1& game) {
    std::string marks;
    for (int n = 1; n <= 9; ++n)
        marks += game.Image2(n).Tag + (game.Image3(n - 1).Visible ? "*" : "");
    return marks + std::to_string(game.Image4.Left) + std::to_string(game.Image4.Top) +
           game.Image4.Picture.name + game.Label1.Caption + std::to_string(game.Shape1.Height);
}

// Three targets up in holes 1, 2 and 3, at level 3.
Form1& targetsUp(HeadlessGame& program) {
    Form1& game = program.play();
    game.Level = 3;
    for (int hole : {1, 2, 3})
        program.random.creature(5, hole);
    program.tick(6);
    return game;
}

TEST(Punch, OnlyTheCodesOfTheDigitsOneToNineDoAnything) {
    HeadlessGame program;
    Form1& game = targetsUp(program);
    const std::string before = reach(game);
    for (int code = -32768; code <= 32767; ++code) {
        if (code >= '1' && code <= '9')
            continue;
        program.host.type(static_cast<std::int16_t>(code));
        if (reach(game) != before)
            FAIL() << "key code " << code << " changed the game";
    }
}

TEST(Punch, TheHammerAlternatesItsPosesAndLandsOverEveryHole) {
    HeadlessGame program;
    Form1& game = program.play();
    for (int n = 1; n <= 9; ++n) {
        program.host.type(static_cast<std::int16_t>('0' + n));
        const bool dropped = n % 2 == 1;
        EXPECT_EQ(game.Image4.Picture.name, dropped ? "hammer-upright" : "hammer-tilted") << n;
        EXPECT_EQ(game.Image4.Left, game.Image2(n).Left + 60) << n;
        EXPECT_EQ(game.Image4.Top, game.Image1(n - 1).Top + 60 + (dropped ? 230 : 0)) << n;
        EXPECT_TRUE(game.Image4.Visible);
    }
}

TEST(Hit, EachKindScoresOrCostsAsItShould) {
    const struct {
        int kind;
        std::string caption, marker;
        float bar;
        bool over;
    } kinds[] = {{5, " 230", "star", 1572, false}, {6, " 230", "star", 1572, false},
                 {7, " 130", "star", 1572, false}, {8, " 30", "star", 1572, false},
                 {4, " 0", "no", 1474, false},     {2, " 0", "no", 1474, false},
                 {1, " 0", "no", 1474, true}};
    for (const auto& k : kinds) {
        HeadlessGame program;
        Form1& game = program.play();
        const int hole = 10 - k.kind;
        program.random.creature(k.kind, hole);
        program.tick(6);
        for (int punch = 0; punch < 2; ++punch)
            program.host.type(static_cast<std::int16_t>('0' + hole));
        EXPECT_EQ(game.Label1.Caption, k.caption) << k.kind;
        EXPECT_EQ(game.Image3(hole - 1).Picture.name, k.marker) << k.kind;
        EXPECT_TRUE(game.Image3(hole - 1).Visible) << k.kind;
        EXPECT_EQ(game.Image2(hole).Tag, "0") << k.kind;
        EXPECT_EQ(game.Shape1.Height, k.bar) << k.kind;
        EXPECT_EQ(game.GameOver, k.over) << k.kind;
    }
}

TEST(Hit, AWrongPunchTakesThirtyOffTheScoreAndTwoBarUnitsOffTheBar) {
    const struct {
        float bar;
        int kind;
        float barAfter;
        bool over;
    } cases[] = {{99, 3, 1, false}, {98, 3, 98, true}, {50, 1, 50, true}};
    for (const auto& c : cases) {
        HeadlessGame program;
        Form1& game = program.play();
        game.Level = 2;
        program.random.creature(6, 7);
        program.random.creature(c.kind, 3);
        program.tick(6);
        program.host.type('7');
        program.app.dispatch([&] { game.Shape1.Height = c.bar; });
        program.host.type('3');
        EXPECT_EQ(game.Label1.Caption, " 200") << c.bar;
        EXPECT_EQ(game.Shape1.Height, c.barAfter) << c.bar;
        EXPECT_EQ(game.GameOver, c.over) << c.bar;
        EXPECT_EQ(program.app.isLoaded<Form3>(), c.over) << c.bar;
    }
}

} // namespace
