// The game-over window's procedures.
#include "forms/form3.h"

#include "forms/form1.h"
#include "forms/form2.h"
#include "layout/designs.h"
#include "platform/application.h"

namespace tanzel {

Form3::Form3(Application& app)
    : Form(app, layout::gameOverDesign())
    , app(app) {
    onClick("Command1", [this] { Command1_Click(); });
}

// The score is copied once, as text: an empty label stays empty.
void Form3::Form_Load() {
    Label4.Caption = app.form<Form1>().Label1.Caption;
}

void Form3::Form_Activate() {
    app.form<Form1>().Enabled = false;
}

void Form3::Command1_Click() {
    app.Unload(*this);
}

void Form3::Form_Unload() {
    Form2& title = app.form<Form2>();
    title.Enabled = true;
    title.ZOrder();
    title.WindowState = WindowShowState::Normal;
    app.Unload<Form1>();
}

} // namespace tanzel
