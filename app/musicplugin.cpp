// Looks next to the executable first, where the build puts the plugin, then in the installed
// game's own library folder.
#include "musicplugin.h"

#include "platform/sequencer/problemreport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

namespace tanzel {

std::optional<MusicEngineFactory> loadMusicPlugin() {
    const QString programFolder = QCoreApplication::applicationDirPath();
    QString path = programFolder + QStringLiteral("/tanzel-punch-music.so");
    if (!QFileInfo::exists(path))
        path = QDir::cleanPath(programFolder + QStringLiteral("/" TANZEL_MUSIC_PLUGIN_FROM_PROGRAM
                                                              "/tanzel-punch-music.so"));
    if (!QFileInfo::exists(path)) {
        reportProblem("music off: no music plugin at " + path.toStdString());
        return std::nullopt;
    }
    // Never unloaded: the engine's code runs until the program ends.
    QLibrary plugin(path);
    const auto make = reinterpret_cast<MakeMusicEngine>(plugin.resolve(MakeMusicEngineSymbol));
    if (!make) {
        reportProblem("music off: " + plugin.errorString().toStdString());
        return std::nullopt;
    }
    return [make](MusicOptions options, MusicEngine::EndReport reportEnd) {
        std::unique_ptr<MusicEngine> made;
        make(made, std::move(options), std::move(reportEnd));
        return made;
    };
}

} // namespace tanzel
