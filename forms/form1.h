// The game window: the state of a running game and every procedure that changes it.
#pragma once

#include "platform/form.h"

#include <cstdint>
#include <initializer_list>

namespace tanzel {

class Application;

enum class TickState : std::int16_t { Spawn = 0, Rising = 1, Up = 2, Sinking = 3 };

// All the state of one game lives here, in these variables and in the controls' properties:
// a creature's presence is its Visible, its kind its Tag, the time left the bar's Height.
// Unloading the form discards it; the next game starts from a fresh Form_Load.
class Form1 : public Form {
public:
    explicit Form1(Application& app);

    TickState GameState = TickState::Spawn;
    bool Spawning = false;
    std::int16_t Level = 0;
    std::int16_t Speed = 0;
    float StepUnit = 0;
    float CreatureHeight = 0;
    std::int16_t CreatureUp = 0;
    std::int16_t UpTicks = 0;
    bool SpeedUpDue = false;
    bool GameOver = false;
    float BarUnit = 0;
    std::int32_t Score = 0;
    std::int16_t HammerPicture = 0;
    std::int16_t HammerDrop = 0;
    int Kind1 = 0;
    int Kind2 = 0;
    int Kind3 = 0;
    int Hole1 = 0;
    int Hole2 = 0;
    int Hole3 = 0;

    ControlArray<Image> Image1{images("Image1")};
    ControlArray<Image> Image2{images("Image2")};
    ControlArray<Image> Image3{images("Image3")};
    Image& Image4{image("Image4")};
    Shape& Shape1{shape("Shape1")};
    Label& Label1{label("Label1")};
    Timer& Timer1{timer("Timer1")};
    Timer& Timer2{timer("Timer2")};
    MediaControl& MMControl1{mediaControl("MMControl1")};
    ImageList& ImageList1{imageList()};

    void Form_Load() override;
    void Form_Unload() override;
    void Form_KeyPress(std::int16_t KeyAscii) override;
    void Timer1_Timer();
    void Timer2_Timer();
    void MMControl1_Done(int NotifyCode);

private:
    struct Creature {
        int kind;
        int hole;
    };

    float step() const { return static_cast<float>(Speed) * StepUnit; }
    int kindIn(int hole) const;

    void rise();
    void sink();

    void SpawnLevel1();
    void SpawnLevel2();
    void SpawnLevel3();
    void beginSpawn();
    void applySpeedUp();
    int drawKind();
    int drawHole();
    int drawOneTo(int count);
    void placeCreatures(std::initializer_list<Creature> creatures);

    void ResolveHit(std::int16_t Hole);
    void EndGameTimeUp();
    void EndGameFatalHit();
    void endGame();

    Application& app;
};

} // namespace tanzel
