// Starts Tanzel Punch: the title window on the Qt host, then FluidSynth's plugin for the music.
#include "afterfirstframe.h"
#include "forms/form2.h"
#include "layout/designs.h"
#include "musicplugin.h"
#include "platform/application.h"
#include "platform/qt/qthost.h"
#include "platform/sequencer/sequencer.h"
#include "platformguard.h"

#include <QApplication>
#include <QIcon>
#include <random>

int main(int argc, char* argv[]) {
    tanzel::guardPlatformStart();
    QApplication qtApp(argc, argv);
    tanzel::endPlatformGuard();
    QApplication::setApplicationName(QStringLiteral("tanzel-punch"));
    QApplication::setDesktopFileName(QStringLiteral("tanzel-punch"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/pictures/icon.svg")));

    tanzel::QtHost host;
    tanzel::Sequencer sequencer(
        {.postToUiThread = [&host](std::function<void()> task) { host.post(std::move(task)); }});
    tanzel::EngineRandom random(std::random_device{}());
    tanzel::Application app(host, sequencer, random, std::string(tanzel::layout::ApplicationTitle));
    host.attach(app);
    app.start<tanzel::Form2>();
    // The title's tune waits in the device, which plays it once the engine is there.
    tanzel::afterFirstFrame([&sequencer] {
        if (std::optional<tanzel::MusicEngineFactory> makeEngine = tanzel::loadMusicPlugin())
            sequencer.attachEngine(*makeEngine);
    });
    return QApplication::exec();
}
