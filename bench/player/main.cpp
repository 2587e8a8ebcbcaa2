// Plays the real game window for the benchmark: watches the board through the X server and
// types the digits of the villains that stand up, with xdotool, as a person at the keypad would.
//
//   bench-player --window ID --seconds N [--mirror DISPLAY]
//
// The game window ID is on $DISPLAY. Every key typed into the game is typed on the mirror display
// too, into whatever window has its focus (the baseline). Prints what it did when time is up.
#include "boardreader.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QPixmap>
#include <QProcess>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>
#include <cstdio>

namespace tanzel::bench {

namespace {

// Twice a tick: a fully risen creature stands for twelve ticks at the fastest stage.
constexpr int LookEveryMs = 25;

class Player : public QObject {
public:
    Player(WId window, QString mirrorDisplay)
        : window(window)
        , mirrorDisplay(std::move(mirrorDisplay)) {}

    // A digit is typed only while a creature stands fully risen: then every creature of the
    // cycle is up, so a hole that looks empty is empty and typing its digit only moves the
    // hammer. Once per such stretch: the villains' digits, or one empty hole's digit so that
    // every stretch has a key to time.
    void look() {
        const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(window);
        if (shot.isNull()) {
            ++missedPictures;
            return;
        }
        ++pictures;
        const auto board = reader.read(shot.toImage());
        QStringList villains;
        QStringList empty;
        bool anyRisen = false;
        for (int hole = 1; hole <= 9; ++hole) {
            const HoleSight& sight = board[hole - 1];
            if (sight.view == HoleView::Creature) {
                anyRisen = true;
                if (sight.kind > 4)
                    villains << QString::number(hole);
            } else if (sight.view == HoleView::Empty) {
                empty << QString::number(hole);
            }
        }
        if (!anyRisen) {
            actedThisStretch = false;
            return;
        }
        if (actedThisStretch)
            return;
        actedThisStretch = true;
        ++stretches;
        if (!villains.isEmpty()) {
            punches += villains.size();
            type(villains);
        } else if (!empty.isEmpty()) {
            ++feints;
            type({empty.at(QRandomGenerator::global()->bounded(int(empty.size())))});
        }
    }

    void report() const {
        std::printf("pictures %ld missed %ld stretches %ld punches %ld feints %ld\n", pictures,
                    missedPictures, stretches, punches, feints);
    }

private:
    void type(const QStringList& digits) const {
        const QStringList arguments = QStringList{QStringLiteral("key")} + digits;
        QProcess::startDetached(QStringLiteral("xdotool"), arguments);
        if (mirrorDisplay.isEmpty())
            return;
        QProcess mirror;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), mirrorDisplay);
        mirror.setProcessEnvironment(environment);
        mirror.setProgram(QStringLiteral("xdotool"));
        mirror.setArguments(arguments);
        mirror.startDetached();
    }

    const WId window;
    const QString mirrorDisplay;
    BoardReader reader;
    bool actedThisStretch = false;
    long pictures = 0;
    long missedPictures = 0;
    long stretches = 0;
    long punches = 0;
    long feints = 0;
};

} // namespace

} // namespace tanzel::bench

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    QCommandLineParser options;
    const QCommandLineOption windowOption(QStringLiteral("window"), QStringLiteral("game window"),
                                          QStringLiteral("id"));
    const QCommandLineOption secondsOption(
        QStringLiteral("seconds"), QStringLiteral("how long to play"), QStringLiteral("seconds"));
    const QCommandLineOption mirrorOption(QStringLiteral("mirror"),
                                          QStringLiteral("display to type the same keys on"),
                                          QStringLiteral("display"));
    options.addOptions({windowOption, secondsOption, mirrorOption});
    options.addHelpOption();
    options.process(app);
    bool valid = false;
    const WId window = options.value(windowOption).toULongLong(&valid, 0);
    if (!valid)
        options.showHelp(2);

    tanzel::bench::Player player(window, options.value(mirrorOption));
    QTimer looking;
    QObject::connect(&looking, &QTimer::timeout, &player, [&player] { player.look(); });
    looking.start(tanzel::bench::LookEveryMs);
    QTimer::singleShot(options.value(secondsOption).toInt() * 1000, &app, [&player] {
        player.report();
        QCoreApplication::quit();
    });
    return QGuiApplication::exec();
}
