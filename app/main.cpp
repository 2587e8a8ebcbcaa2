// Starts Tanzel Punch: the title window on the Qt host, with FluidSynth for the music.
#include "layout/designs.h"
#include "platform/application.h"
#include "platform/fluidsynth/fluidsynthsequencer.h"
#include "platform/qt/qthost.h"
#include "screens/form2.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <cstdio>
#include <random>

int main(int argc, char* argv[]) {
    // Without a display there is nothing to play on: say so in one line, not a Qt abort.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fprintf(stderr, "tanzel-punch: no display to open the game window on\n");
        return 1;
    }
    QApplication qtApp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tanzel-punch"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tanzel Punch"));
    QApplication::setDesktopFileName(QStringLiteral("tanzel-punch"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));

    tanzel::QtHost host;
    tanzel::FluidSynthSequencer sequencer(
        {.postToUiThread = [&host](std::function<void()> task) { host.post(std::move(task)); }});
    tanzel::EngineRandom random(std::random_device{}());
    tanzel::Application app(host, sequencer, random, std::string(tanzel::layout::ApplicationTitle));
    host.attach(app);
    app.start<tanzel::Form2>();
    return QApplication::exec();
}
