// The virtual clock and the injected input of the headless host.
#include "headlesshost.h"

#include "platform/application.h"

#include <algorithm>

namespace tanzel {

void HeadlessHost::advance(std::int64_t milliseconds) {
    const std::int64_t target = clock + milliseconds;
    for (;;) {
        auto next = std::min_element(running.begin(), running.end(),
                                     [](const auto& a, const auto& b) { return a.due < b.due; });
        if (next == running.end() || next->due > target)
            break;
        clock = next->due;
        next->due += next->interval;
        Form& form = *next->form;
        Timer& timer = *next->timer;
        app->timerTick(form, timer);
    }
    clock = target;
}

std::int64_t HeadlessHost::nextTimerIn() const {
    auto next = std::min_element(running.begin(), running.end(),
                                 [](const auto& a, const auto& b) { return a.due < b.due; });
    return next == running.end() ? -1 : next->due - clock;
}

void HeadlessHost::type(std::int16_t keyAscii) {
    if (Form* active = app->activeForm())
        app->keyPress(*active, keyAscii);
}

void HeadlessHost::click(Form& form, std::string_view control) {
    app->click(form, form.designOf(control));
}

void HeadlessHost::moveMouse(Form& form, float x, float y) {
    const auto* item = form.controlAt(x, y);
    app->mouseMove(form, item ? item->design : nullptr);
}

void HeadlessHost::closeBox(Form& form) {
    app->closeRequested(form);
}

// A timer keeps its place in time while it stays enabled at the same interval; enabling it or
// changing its interval starts a new countdown.
void HeadlessHost::sync(const std::vector<Form*>& loadedForms) {
    for (auto& entry : running)
        entry.seen = false;
    for (Form* form : loadedForms) {
        for (const auto& binding : form->timers()) {
            Timer& timer = *binding.timer;
            auto existing = std::find_if(running.begin(), running.end(),
                                         [&](const auto& entry) { return entry.timer == &timer; });
            const bool runs = timer.Enabled && timer.Interval > 0;
            if (!runs)
                continue;
            if (existing != running.end() && existing->interval == timer.Interval) {
                existing->seen = true;
            } else if (existing != running.end()) {
                *existing = {form, &timer, timer.Interval, clock + timer.Interval, true};
            } else {
                running.push_back({form, &timer, timer.Interval, clock + timer.Interval, true});
            }
        }
    }
    std::erase_if(running, [](const auto& entry) { return !entry.seen; });
}

void HeadlessHost::formUnloaded(Form& form) {
    std::erase_if(running, [&](const auto& entry) { return entry.form == &form; });
}

void HeadlessHost::messageBox(std::string_view prompt, int style, std::string_view title) {
    shownBoxes.push_back({std::string(prompt), style, std::string(title)});
}

void HeadlessHost::fatalError(std::string_view message) {
    fatal = std::string(message);
}

} // namespace tanzel
