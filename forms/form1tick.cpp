// The game's 50 ms tick: spawn, rise, stay up, sink and charge the misses; and the minute mark.
#include "forms/form1.h"
#include "platform/picture.h"

namespace tanzel {

void Form1::Timer1_Timer() {
    switch (GameState) {
    case TickState::Spawn:
        if (Spawning)
            return;
        if (Level == 1)
            SpawnLevel1();
        else if (Level == 2)
            SpawnLevel2();
        else if (Level == 3)
            SpawnLevel3();
        break;
    case TickState::Rising:
        rise();
        break;
    case TickState::Up:
        --UpTicks;
        if (UpTicks == 0)
            GameState = TickState::Sinking;
        break;
    case TickState::Sinking:
        sink();
        break;
    }
}

void Form1::Timer2_Timer() {
    SpeedUpDue = true;
}

// Hidden creatures take their step too; only a visible one ends the phase. The realignment
// happens inside the loop, so the holes after the one that completes still take their step.
void Form1::rise() {
    CreatureUp = 0;
    for (int n = 1; n <= 9; ++n) {
        Image& creature = Image2(n);
        if (creature.Height < CreatureHeight) {
            creature.Height = creature.Height + step();
            creature.Top = creature.Top - step();
        }
        if (creature.Visible && creature.Height >= CreatureHeight) {
            creature.Height = CreatureHeight;
            CreatureUp = 1;
            UpTicks = static_cast<std::int16_t>(28 - 2 * Speed);
            for (int m = 1; m <= 9; ++m)
                Image2(m).Top = Image1(m - 1).Top;
            GameState = TickState::Up;
        }
    }
}

// A target that escapes unpunched is charged on every sinking tick, hole by hole; when the
// bar cannot pay, the game ends on the spot and the rest of the tick is left undone.
void Form1::sink() {
    CreatureUp = 0;
    for (int n = 1; n <= 9; ++n) {
        Image& creature = Image2(n);
        Image& marker = Image3(n - 1);
        if (creature.Visible && kindIn(n) > 4 && !marker.Visible) {
            const float cost = static_cast<float>(5 * Speed * Level);
            if (Shape1.Height - cost > 0) {
                Shape1.Height = Shape1.Height - cost;
            } else {
                EndGameTimeUp();
                return;
            }
        }
        marker.Visible = false;
        marker.Picture = LoadPicture();
        if (creature.Height >= step()) {
            creature.Height = creature.Height - step();
            creature.Top = creature.Top + step();
        }
        if (creature.Visible && creature.Height < StepUnit) {
            for (int m = 1; m <= 9; ++m)
                Image2(m).Top = Image1(m - 1).Top + CreatureHeight;
            GameState = TickState::Spawn;
        }
    }
}

} // namespace tanzel
