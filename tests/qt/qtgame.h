// The whole program on the Qt host, offscreen, with a recording sequencer and scripted draws.
#pragma once

#include "forms/form1.h"
#include "layout/designs.h"
#include "platform/application.h"
#include "platform/qt/formwindow.h"
#include "platform/qt/qthost.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "support/recordingsequencer.h"
#include "support/scriptedrandom.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <functional>

namespace tanzel::test {

struct QtGame {
    QtHost host;
    RecordingSequencer sequencer;
    ScriptedRandom random;
    Application app{host, sequencer, random, std::string(layout::ApplicationTitle)};

    QtGame() {
        host.attach(app);
        app.start<Form2>();
    }

    // Clicks "Jugar".
    Form1& play() {
        Form2& title = app.form<Form2>();
        app.click(title, *title.controlAt(1000, 2000)->design);
        return app.form<Form1>();
    }

    FormWindow& window(const Form& form) { return *host.window(form); }
    QImage grab(const Form& form) { return window(form).grab().toImage(); }

    // Lets Qt run its event loop until `done` holds or the time is up.
    static bool waitFor(const std::function<bool()>& done, int milliseconds = 5000) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < milliseconds)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return done();
    }
};

} // namespace tanzel::test
