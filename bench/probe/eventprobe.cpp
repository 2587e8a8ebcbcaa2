// Preloaded into a Qt program under measurement: logs its first frame, its 50 ms ticks and each
// key's time to the end of the next paint, so that the shipped binary carries no instrumentation.
//
// Set TANZEL_PROBE_LOG to the log file and TANZEL_PROBE_T0 to the wall-clock nanoseconds taken
// just before the program was started. One line per observation, written at once, so that a
// killed process loses nothing:
//   frame <us>   the first paint of the first window ended, counted from TANZEL_PROBE_T0
//   tick <ns>    a 50 ms precise QTimer fired (monotonic clock)
//   key <us> <us>  a key press reached a window and that window's next paint ended; the
//                  second figure is how long that paint itself took
#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QTimerEvent>
#include <QWidget>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace {

std::int64_t nanoseconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

class EventProbe : public QObject {
public:
    EventProbe(QObject* parent, int logFile, std::int64_t startedAt)
        : QObject(parent)
        , log(logFile)
        , startedAt(startedAt) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
        case QEvent::Timer:
            noteTick(watched, static_cast<QTimerEvent*>(event));
            return false;
        case QEvent::KeyPress:
            noteKey(watched);
            return false;
        case QEvent::Paint:
            return paintTimed(watched, event);
        default:
            return false;
        }
    }

private:
    template <class... Values> void write(const char* format, Values... values) const {
        char line[64];
        const int length =
            std::snprintf(line, sizeof line, format, static_cast<long long>(values)...);
        if (::write(log, line, std::size_t(length)) != length)
            std::perror("tanzel bench probe");
    }

    // The game's only 50 ms timer is its tick; the baseline runs one of the same kind.
    void noteTick(QObject* watched, QTimerEvent* event) const {
        auto* timer = qobject_cast<QTimer*>(watched);
        if (timer && timer->interval() == 50 && timer->timerType() == Qt::PreciseTimer &&
            event->timerId() == timer->timerId())
            write("tick %lld\n", nanoseconds(CLOCK_MONOTONIC));
    }

    // A key travels up the parent chain when a widget ignores it; its first arrival counts.
    void noteKey(QObject* watched) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (!widget || keyWindow)
            return;
        keyWindow = widget->window();
        keyArrived = nanoseconds(CLOCK_MONOTONIC);
    }

    // The end of a paint is only seen by delivering the event from here, through the full
    // dispatch chain, and swallowing the original.
    bool paintTimed(QObject* watched, QEvent* event) {
        auto* widget = qobject_cast<QWidget*>(watched);
        const bool wanted = widget && (!firstFrameSeen || widget->window() == keyWindow);
        if (!wanted || delivering)
            return false;
        delivering = true;
        const std::int64_t began = nanoseconds(CLOCK_MONOTONIC);
        QCoreApplication::sendEvent(watched, event);
        delivering = false;
        const std::int64_t ended = nanoseconds(CLOCK_MONOTONIC);
        if (!firstFrameSeen) {
            lastFirstPaintEnded = nanoseconds(CLOCK_REALTIME);
            // A window paints itself, then its children, before the event loop runs again.
            if (!firstFrameQueued) {
                firstFrameQueued = true;
                QTimer::singleShot(0, this, [this] {
                    firstFrameSeen = true;
                    write("frame %lld\n", (lastFirstPaintEnded - startedAt) / 1000);
                });
            }
        }
        if (widget->window() == keyWindow) {
            write("key %lld %lld\n", (ended - keyArrived) / 1000, (ended - began) / 1000);
            keyWindow = nullptr;
        }
        return true;
    }

    const int log;
    const std::int64_t startedAt;
    bool delivering = false;
    bool firstFrameQueued = false;
    bool firstFrameSeen = false;
    std::int64_t lastFirstPaintEnded = 0;
    const QWidget* keyWindow = nullptr;
    std::int64_t keyArrived = 0;
};

void installProbe() {
    const QByteArray logPath = qgetenv("TANZEL_PROBE_LOG");
    if (logPath.isEmpty())
        return;
    const int log = ::open(logPath.constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (log < 0) {
        std::perror(logPath.constData());
        return;
    }
    QCoreApplication* app = QCoreApplication::instance();
    app->installEventFilter(new EventProbe(app, log, qgetenv("TANZEL_PROBE_T0").toLongLong()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
