// The game window's start-up, shutdown and music loop.
#include "forms/form1.h"

#include "forms/form2.h"
#include "layout/designs.h"
#include "music/playback.h"
#include "platform/application.h"
#include "platform/basic.h"

#include <charconv>

namespace tanzel {

Form1::Form1(Application& app)
    : Form(app, layout::gameDesign())
    , app(app) {
    onTimer(Timer1, [this] { Timer1_Timer(); });
    onTimer(Timer2, [this] { Timer2_Timer(); });
    MMControl1.onDone([this](int code) { MMControl1_Done(code); });
}

void Form1::Form_Load() {
    GameOver = false;
    app.form<Form2>().Enabled = false;
    SpeedUpDue = false;
    BarUnit = Int(Shape1.Height / 32);
    HammerPicture = 10;
    Level = 1;
    Score = 0;
    Kind1 = 1;
    Hole1 = 1;
    Kind2 = 1;
    Hole2 = 1;
    Speed = 4;
    // Hole 1's creature sets the size for all nine holes.
    StepUnit = Int(Image2(1).Height / 16);
    CreatureHeight = Image2(1).Height;
    for (int n = 1; n <= 9; ++n) {
        Image& creature = Image2(n);
        Image& marker = Image3(n - 1);
        // The design puts each creature fully risen; remember that top, then sink it.
        Image1(n - 1).Top = creature.Top;
        creature.Top = creature.Top + CreatureHeight;
        creature.Height = 0;
        creature.Visible = false;
        marker.Top = creature.Top - CreatureHeight;
        marker.Left = creature.Left;
        marker.Height = CreatureHeight;
        marker.Width = creature.Width;
        marker.Visible = false;
    }
    Spawning = false;
    GameState = TickState::Spawn;
    music::openExclusive(MMControl1, app.form<Form2>().GameMusicFile);
    music::play(MMControl1, true);
    Timer1.Interval = 50;
    Timer1.Enabled = true;
}

void Form1::Form_Unload() {
    Form2& title = app.form<Form2>();
    title.Enabled = true;
    title.ZOrder();
    title.WindowState = WindowShowState::Normal;
    MMControl1.Command = "Close";
}

void Form1::MMControl1_Done(int NotifyCode) {
    static_cast<void>(NotifyCode);
    if (GameOver)
        return;
    MMControl1.Notify = false;
    MMControl1.Command = "Close";
    music::openExclusive(MMControl1, app.form<Form2>().GameMusicFile);
    music::play(MMControl1, true);
}

int Form1::kindIn(int hole) const {
    const std::string& tag = Image2(hole).Tag;
    int kind = 0;
    auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), kind);
    if (error != std::errc() || end != tag.data() + tag.size())
        throw RuntimeError("Type mismatch: creature tag '" + tag + "'");
    return kind;
}

} // namespace tanzel
