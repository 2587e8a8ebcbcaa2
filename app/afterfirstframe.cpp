// Watches the application's events until the first paint, then queues the task behind it, so
// that the frame reaches the screen before the task runs.
#include "afterfirstframe.h"

#include <QCoreApplication>
#include <QEvent>

namespace tanzel {

namespace {

class FirstPaintWatch : public QObject {
public:
    FirstPaintWatch(QObject* application, std::function<void()> task)
        : QObject(application)
        , task(std::move(task)) {
        application->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        // Removed at once, so that no later paint reaches it.
        if (event->type() == QEvent::Paint) {
            parent()->removeEventFilter(this);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    task();
                    deleteLater();
                },
                Qt::QueuedConnection);
        }
        return false;
    }

private:
    std::function<void()> task;
};

} // namespace

void afterFirstFrame(std::function<void()> task) {
    new FirstPaintWatch(QCoreApplication::instance(), std::move(task));
}

} // namespace tanzel
