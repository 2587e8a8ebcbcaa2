// Runs the forms without a screen: a virtual clock drives the timers, tests inject the input.
#pragma once

#include "platform/host.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tanzel {

class Application;
struct Timer;

class HeadlessHost : public Host {
public:
    struct MessageBoxShown {
        std::string prompt;
        int style;
        std::string title;
    };

    void attach(Application& application) { app = &application; }

    // Moves the virtual clock forward, firing every timer that falls due on the way, in time
    // order; timers due at the same moment fire in the order their forms and timers were made.
    void advance(std::int64_t milliseconds);
    // The time until the next timer falls due, or -1 when no timer runs.
    std::int64_t nextTimerIn() const;

    // Keys go to the active form, as a keyboard's would.
    void type(std::int16_t keyAscii);
    void click(Form& form, std::string_view control);
    // Moves the pointer to a point of the form's client area, in twips.
    void moveMouse(Form& form, float x, float y);
    void closeBox(Form& form);

    const std::vector<MessageBoxShown>& messageBoxes() const { return shownBoxes; }
    bool hasQuit() const { return quitCalled; }
    const std::string& fatalMessage() const { return fatal; }
    std::int64_t now() const { return clock; }

    void sync(const std::vector<Form*>& loadedForms) override;
    void formUnloaded(Form& form) override;
    void messageBox(std::string_view prompt, int style, std::string_view title) override;
    void fatalError(std::string_view message) override;
    void quit() override { quitCalled = true; }
    std::int64_t clockMilliseconds() const override { return clock; }

private:
    struct RunningTimer {
        Form* form;
        Timer* timer;
        int interval;
        std::int64_t due;
        bool seen;
    };

    Application* app = nullptr;
    std::int64_t clock = 0;
    std::vector<RunningTimer> running;
    std::vector<MessageBoxShown> shownBoxes;
    std::string fatal;
    bool quitCalled = false;
};

} // namespace tanzel
