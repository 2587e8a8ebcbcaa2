// The spawners: one, two or three creatures of random kinds in random holes per cycle.
#include "forms/form1.h"
#include "platform/application.h"
#include "platform/basic.h"

#include <string>

namespace tanzel {

void Form1::SpawnLevel1() {
    beginSpawn();
    Kind1 = drawKind();
    Hole1 = drawHole();
    placeCreatures({{Kind1, Hole1}});
}

// The two holes are not compared: when they coincide the second creature replaces the first.
void Form1::SpawnLevel2() {
    beginSpawn();
    Kind1 = drawKind();
    Hole1 = drawHole();
    Kind2 = drawKind();
    Hole2 = drawHole();
    placeCreatures({{Kind1, Hole1}, {Kind2, Hole2}});
}

// Redraws a hole, not its kind, until the three holes differ.
void Form1::SpawnLevel3() {
    beginSpawn();
    Kind1 = drawKind();
    Hole1 = drawHole();
    Kind2 = drawKind();
    do
        Hole2 = drawHole();
    while (Hole2 == Hole1);
    Kind3 = drawKind();
    do
        Hole3 = drawHole();
    while (Hole3 == Hole1 || Hole3 == Hole2);
    placeCreatures({{Kind1, Hole1}, {Kind2, Hole2}, {Kind3, Hole3}});
}

void Form1::beginSpawn() {
    applySpeedUp();
    Spawning = true;
    GameState = TickState::Spawn;
}

// A step raised by the minute timer takes effect here, before the draws: a new speed applies
// to this spawn, a new level from the next one. From level 3 at speed 8 there is no further
// step, and the flag stays raised.
void Form1::applySpeedUp() {
    if (!SpeedUpDue)
        return;
    struct Stage {
        std::int16_t level;
        std::int16_t speed;
    };
    constexpr struct {
        Stage before;
        Stage after;
    } steps[] = {{{1, 4}, {1, 8}}, {{1, 8}, {2, 4}}, {{2, 4}, {2, 8}}, {{2, 8}, {3, 8}}};
    for (const auto& row : steps) {
        if (Level == row.before.level && Speed == row.before.speed) {
            Level = row.after.level;
            Speed = row.after.speed;
            SpeedUpDue = false;
            return;
        }
    }
}

int Form1::drawKind() {
    return drawOneTo(8);
}

int Form1::drawHole() {
    return drawOneTo(9);
}

// In double precision: in single, the largest draw below 1 gives r * 8 + 1 = 9 after rounding.
int Form1::drawOneTo(int count) {
    app.Randomize();
    return static_cast<int>(Int(static_cast<double>(app.Rnd()) * count + 1));
}

// Every hole is emptied and collapsed; the creatures' pictures are set on each pass, in
// creature order, so a later creature in the same hole wins.
void Form1::placeCreatures(std::initializer_list<Creature> creatures) {
    CreatureUp = 0;
    for (int n = 1; n <= 9; ++n) {
        Image2(n).Height = 0;
        for (const Creature& creature : creatures)
            Image2(creature.hole).Picture = ImageList1.ListImages(creature.kind).Picture;
        Image2(n).Visible = false;
    }
    for (const Creature& creature : creatures) {
        Image& hole = Image2(creature.hole);
        hole.Visible = true;
        hole.Enabled = true;
        hole.Tag = std::to_string(creature.kind);
    }
    GameState = TickState::Rising;
    Spawning = false;
}

} // namespace tanzel
