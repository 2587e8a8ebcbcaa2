// Event delivery, form lifetimes and activation.
#include "application.h"

#include "runtimeerror.h"

#include <algorithm>

namespace tanzel {

Application::Application(Host& host, SequencerDevice& sequencer, RandomSource& random,
                         std::string title)
    : host(host)
    , device(sequencer)
    , random(random)
    , appTitle(std::move(title)) {}

Application::~Application() = default;

Form& Application::adopt(std::unique_ptr<Form> form) {
    Form& adopted = *form;
    forms.push_back(std::move(form));
    loaded.push_back(&adopted);
    return adopted;
}

bool Application::hasForm(const Form& form) const {
    return std::find(loaded.begin(), loaded.end(), &form) != loaded.end();
}

void Application::Unload(Form& form) {
    if (!hasForm(form))
        return;
    form.Form_Unload();
    // Form_Unload may have unloaded this form already, through another form's unload.
    if (!hasForm(form))
        return;
    host.formUnloaded(form);
    std::erase(loaded, &form);
    std::erase(zOrder, &form);
    if (active == &form)
        active = zOrder.empty() ? nullptr : zOrder.back();
    auto owned = std::find_if(forms.begin(), forms.end(),
                              [&](const auto& candidate) { return candidate.get() == &form; });
    // The form may still be running the procedure that unloaded it; it goes after the event.
    unloadedDuringEvent.push_back(std::move(*owned));
    forms.erase(owned);
}

void Application::bringToFront(Form& form) {
    std::erase(zOrder, &form);
    if (form.isShown())
        zOrder.push_back(&form);
    active = &form;
}

void Application::dispatch(std::function<void()> procedure) {
    if (finished)
        return;
    if (inEvent) {
        waiting.push_back(std::move(procedure));
        return;
    }
    runEvent(procedure);
    while (!waiting.empty() && !finished) {
        auto next = std::move(waiting.front());
        waiting.pop_front();
        runEvent(next);
    }
}

void Application::runEvent(const std::function<void()>& procedure) {
    inEvent = true;
    try {
        procedure();
        deliverActivation();
    } catch (const RuntimeError& error) {
        inEvent = false;
        finished = true;
        host.fatalError(error.what());
        return;
    }
    inEvent = false;
    unloadedDuringEvent.clear();
    host.sync(loaded);
    if (loaded.empty()) {
        finished = true;
        host.quit();
    }
}

void Application::deliverActivation() {
    while (active && active->serial() != lastActivatedSerial) {
        lastActivatedSerial = active->serial();
        active->Form_Activate();
    }
    if (!active)
        lastActivatedSerial = 0;
}

void Application::keyPress(Form& form, std::int16_t keyAscii) {
    dispatch([this, &form, keyAscii] {
        if (hasForm(form) && form.Enabled)
            form.Form_KeyPress(keyAscii);
    });
}

void Application::timerTick(Form& form, Timer& timer) {
    dispatch([this, &form, &timer] {
        if (!hasForm(form) || !timer.Enabled)
            return;
        for (const auto& binding : form.timers())
            if (binding.timer == &timer)
                binding.handler();
    });
}

void Application::click(Form& form, const ControlDesign& control) {
    dispatch([this, &form, &control] {
        if (hasForm(form) && form.Enabled)
            form.raiseClick(control);
    });
}

void Application::mouseMove(Form& form, const ControlDesign* control) {
    dispatch([this, &form, control] {
        if (hasForm(form) && form.Enabled)
            form.raiseMouseMove(control);
    });
}

void Application::closeRequested(Form& form) {
    dispatch([this, &form] {
        if (hasForm(form) && form.Enabled)
            Unload(form);
    });
}

void Application::activatedByUser(Form& form) {
    dispatch([this, &form] {
        if (hasForm(form) && form.Enabled && form.isShown() && active != &form)
            bringToFront(form);
    });
}

void Application::mediaCompleted(Form& form, std::function<void()> raiseDone) {
    // The same form, not another loaded since at the same address.
    dispatch([this, &form, serial = form.serial(), raise = std::move(raiseDone)] {
        if (hasForm(form) && form.serial() == serial)
            raise();
    });
}

void Application::Randomize() {
    random.Randomize(host.clockMilliseconds());
}

float Application::Rnd() {
    return random.Rnd();
}

void Application::MsgBox(std::string_view prompt, int style) {
    host.messageBox(prompt, style, appTitle);
}

} // namespace tanzel
