// The title window's procedures.
#include "forms/form2.h"

#include "forms/aboutnotices.h"
#include "forms/form1.h"
#include "layout/designs.h"
#include "music/playback.h"
#include "platform/application.h"

namespace tanzel {

namespace {
constexpr int InformationBox = 64;
}

Form2::Form2(Application& app)
    : Form(app, layout::titleDesign())
    , app(app) {
    onClick("Command1", [this] { Command1_Click(); });
    onClick("Command2", [this] { Command2_Click(); });
    onClick("Label1", [this] { Label1_Click(); });
    onClick("Label2", [this] { Label2_Click(); });
    onMouseMove("Image1", [this] { Image1_MouseMove(); });
    onMouseMove("Label1", [this] { Label1_MouseMove(); });
    onMouseMove("Label2", [this] { Label2_MouseMove(); });
}

void Form2::Form_Load() {
    GameMusicFile = music::GameTune;
    TitleMusicFile = music::TitleTune;
    music::openExclusive(MMControl1, TitleMusicFile);
    music::play(MMControl1, false);
}

// At start-up the tune is already open and playing, so this "Open" changes nothing; back from
// a game it opens the tune afresh.
void Form2::Form_Activate() {
    music::reopen(MMControl1, TitleMusicFile);
    music::play(MMControl1, false);
}

void Form2::Form_Unload() {
    MMControl1.Command = "Close";
}

void Form2::Command1_Click() {
    MMControl1.Command = "Stop";
    MMControl1.Command = "Close";
    app.form<Form1>().Show();
    WindowState = WindowShowState::Minimized;
}

void Form2::Command2_Click() {
    app.form<Form1>().MMControl1.Command = "Close";
    app.Unload(app.form<Form1>());
    MMControl1.Command = "Close";
    app.Unload(*this);
}

void Form2::Label1_Click() {
    app.MsgBox(SpanishNotice, InformationBox);
}

void Form2::Label2_Click() {
    app.MsgBox(EnglishNotice, InformationBox);
}

void Form2::Form_MouseMove() {
    MousePointer = MousePointerShape::Icon;
}

void Form2::Image1_MouseMove() {
    MousePointer = MousePointerShape::Arrow;
}

void Form2::Label1_MouseMove() {
    MousePointer = MousePointerShape::ArrowQuestion;
}

void Form2::Label2_MouseMove() {
    MousePointer = MousePointerShape::ArrowQuestion;
}

} // namespace tanzel
