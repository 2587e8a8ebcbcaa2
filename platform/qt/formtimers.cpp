// Timer controls on QTimer, held and let go with the whole time kept.
#include "formtimers.h"

#include "platform/application.h"

#include <algorithm>

namespace tanzel {

FormTimers::FormTimers(Application& app, Form& form, QObject& owner) {
    clocks.reserve(form.timers().size());
    for (const auto& binding : form.timers()) {
        Clock& clock = clocks.emplace_back(Clock{binding.timer, new QTimer(&owner)});
        clock.qt->setTimerType(Qt::PreciseTimer);
        QObject::connect(clock.qt, &QTimer::timeout, &owner, [&app, &form, &clock] {
            // The first tick after a hold came after the rest of an interval; the next ones
            // come at the interval itself.
            if (clock.qt->interval() != clock.interval)
                clock.qt->setInterval(clock.interval);
            app.timerTick(form, *clock.model);
        });
    }
    sync();
}

bool FormTimers::runs(const Timer& timer) {
    return timer.Enabled && timer.Interval > 0;
}

bool FormTimers::anyEnabled() const {
    return std::any_of(clocks.begin(), clocks.end(),
                       [](const Clock& clock) { return runs(*clock.model); });
}

void FormTimers::sync() {
    for (Clock& clock : clocks) {
        if (!runs(*clock.model)) {
            clock.qt->stop();
            clock.left = -1;
        } else if (!held && (!clock.qt->isActive() || clock.interval != clock.model->Interval)) {
            clock.interval = clock.model->Interval;
            clock.qt->start(clock.interval);
        }
    }
}

void FormTimers::setHeld(bool hold) {
    if (held == hold)
        return;
    held = hold;
    for (Clock& clock : clocks) {
        if (held) {
            clock.left = clock.qt->isActive() ? clock.qt->remainingTime() : -1;
            clock.qt->stop();
        } else if (clock.left >= 0 && clock.interval == clock.model->Interval) {
            clock.qt->start(clock.left);
            clock.left = -1;
        }
    }
    sync();
}

} // namespace tanzel
