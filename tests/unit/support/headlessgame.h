// A whole program on the headless host: the title window up, ready to play.
#pragma once

#include "forms/form1.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "layout/designs.h"
#include "platform/application.h"
#include "platform/headless/headlesshost.h"
#include "recordingsequencer.h"
#include "scriptedrandom.h"

#include <string>

namespace tanzel::test {

// Spawns draw from `random`, a script. Every media command goes into the sequencer's log with the
// windows' state at that moment.
struct HeadlessGame {
    HeadlessHost host;
    RecordingSequencer sequencer;
    ScriptedRandom random;
    Application app{host, sequencer, random, std::string(layout::ApplicationTitle)};

    HeadlessGame() {
        host.attach(app);
        app.setMediaTrace([this](const std::string& entry) { traced(entry); });
        app.start<Form2>();
    }

    Form1& game() { return app.form<Form1>(); }
    Form2& title() { return app.form<Form2>(); }
    Form3& gameOver() { return app.form<Form3>(); }

    // Clicks "Jugar" and leaves the media log empty.
    Form1& play() {
        host.click(title(), "Command1");
        sequencer.takeLog();
        return game();
    }
    void tick(int count = 1) { host.advance(50 * count); }
    // Scripts one creature and ticks until it stands up: six ticks at the first stage's speed.
    Form1& raise(int kind, int hole) {
        random.creature(kind, hole);
        tick(6);
        return game();
    }

    // Each loaded window in load order, with its flags: d disabled, m minimised, t ticking,
    // x game over, * active.
    std::string windows() {
        std::string state;
        for (Form* form : app.loadedForms()) {
            const auto* running = dynamic_cast<Form1*>(form);
            const std::string flags = std::string(form->Enabled ? "" : "d") +
                                      (form->WindowState == WindowShowState::Minimized ? "m" : "") +
                                      (running && running->Timer1.Enabled ? "t" : "") +
                                      (running && running->GameOver ? "x" : "") +
                                      (form == app.activeForm() ? "*" : "");
            const std::string name = running ? "game" : form->name() == "Form2" ? "title" : "over";
            state += (state.empty() ? "" : " ") + name + (flags.empty() ? "" : ":" + flags);
        }
        return state;
    }

private:
    void traced(const std::string& entry) {
        const auto command = entry.find(".Command=");
        if (command == std::string::npos)
            return;
        const std::string form = entry.substr(0, entry.find('.'));
        const MediaControl& control = form == "Form1" ? game().MMControl1 : title().MMControl1;
        sequencer.log.push_back(form + " " + entry.substr(command + 9) + " " +
                                control.FileName.get() + (control.Notify ? " notify" : "") + " | " +
                                windows());
    }
};

} // namespace tanzel::test
