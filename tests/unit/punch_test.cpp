// Punches: which keys count, where the hammer lands, and what a hit leaves on the board.
#include "support/headlessgame.h"

#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

// A target stands up in hole 1 all along, so a code taken for its digit would show.
TEST(Punch, EachDigitSwingsTheHammerOverItsHoleAndNoOtherKeyCodeDoesAnything) {
    HeadlessGame program;
    program.play();
    Form1& game = program.raise(5, 1);
    const Image& hammer = game.Image4;
    const auto reach = [&] {
        return std::tuple(hammer.Picture.name, hammer.Left, hammer.Top, game.Image2(1).Tag,
                          game.Image3(0).Visible, game.Label1.Caption, game.Shape1.Height);
    };
    auto before = reach();
    bool dropped = false;
    for (int code = -32768; code <= 32767; ++code) {
        program.host.type(static_cast<std::int16_t>(code));
        const int n = code - '0';
        if (n < 1 || n > 9) {
            if (reach() != before)
                FAIL() << "key code " << code << " changed the game";
            continue;
        }
        dropped = !dropped;
        EXPECT_EQ(std::tuple(hammer.Picture.name, hammer.Left, hammer.Top, hammer.Visible),
                  std::tuple(dropped ? "hammer-upright" : "hammer-tilted", game.Image2(n).Left + 60,
                             game.Image1(n - 1).Top + 60 + (dropped ? 230 : 0), true))
            << n;
        before = reach();
    }
}

// What each kind's hit scores or costs, the marker over the risen creature, the hole emptied, the
// label, the bar's edges, and the score the game-over window shows. Each hole is punched twice,
// and the second punch finds the marker and does nothing.
TEST(Hit, AVillainTakesAStarAFriendTwoBarUnitsWhileTheBarCanPayAndTheGoldenOneEndsTheGame) {
    const struct {
        int kind, hole;
        float bar;
        std::string caption, marker;
        float barAfter;
        bool over;
    } cases[] = {
        {5, 3, 1572, " 230", "star", 1572, false}, {6, 9, 1572, " 230", "star", 1572, false},
        {7, 4, 1572, " 130", "star", 1572, false}, {8, 6, 1572, " 30", "star", 1572, false},
        {3, 1, 99, " 0", "no", 1, false},          {2, 5, 98, " 0", "no", 98, true},
        {1, 7, 1572, " 0", "no", 1474, true}};
    for (const auto& c : cases) {
        HeadlessGame program;
        Form1& game = program.play();
        program.app.dispatch([&] { game.Shape1.Height = c.bar; });
        program.raise(c.kind, c.hole);
        for (int punch = 0; punch < 2; ++punch)
            program.host.type(static_cast<std::int16_t>('0' + c.hole));
        const Image& creature = game.Image2(c.hole);
        const Image& marker = game.Image3(c.hole - 1);
        EXPECT_EQ(static_cast<const Bounds&>(marker), static_cast<const Bounds&>(creature))
            << c.kind;
        EXPECT_EQ(std::tie(game.Label1.Caption, marker.Picture.name, marker.Visible, creature.Tag,
                           game.Shape1.Height, game.GameOver),
                  std::tuple(c.caption, c.marker, true, "0", c.barAfter, c.over))
            << c.kind;
        if (c.over) {
            EXPECT_EQ(program.gameOver().Label4.Caption, c.caption) << c.kind;
        }
    }
}
