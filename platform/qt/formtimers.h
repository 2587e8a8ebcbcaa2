// The Qt timers behind a form's Timer controls, which its window can hold and let go on.
#pragma once

#include <QTimer>
#include <vector>

namespace tanzel {

class Application;
class Form;
struct Timer;

class FormTimers {
public:
    FormTimers(Application& app, Form& form, QObject& owner);

    // Starts, stops and re-times the Qt timers as the form's timers now say; while held, only
    // stops.
    void sync();
    // Held, every timer keeps what it had left of its interval; let go, each first ticks after
    // that rest, then at its interval again.
    void setHeld(bool hold);
    bool isHeld() const { return held; }
    bool anyEnabled() const;

private:
    struct Clock {
        Timer* model;
        QTimer* qt;
        int interval = 0; // what the form asked for; qt's own differs for the rest after a hold
        int left = -1;    // what it had left when held, or -1 if it was not running
    };

    static bool runs(const Timer& timer);

    std::vector<Clock> clocks;
    bool held = false;
};

} // namespace tanzel
