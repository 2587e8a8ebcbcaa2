// The running program: its loaded forms, the active one, and the delivery of every event.
#pragma once

#include "form.h"
#include "host.h"
#include "randomsource.h"
#include "sequencerdevice.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tanzel {

// Events are delivered one at a time, each procedure to completion; one that arrives while
// another runs (a nested event loop under a modal box) waits for it. Form_Activate follows
// right after the procedure that made its form active, before anything else.
class Application final : public FormRuntime {
public:
    Application(Host& host, SequencerDevice& sequencer, RandomSource& random, std::string title);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    // Referring to a form that is not loaded loads it and runs its Form_Load.
    template <class F> F& form();
    template <class F> bool isLoaded() const { return find<F>() != nullptr; }
    void Unload(Form& form);
    // Unloads the form if it is loaded; it does not load it first.
    template <class F> void Unload() {
        if (F* loadedForm = find<F>())
            Unload(*loadedForm);
    }

    // Loads and shows the start-up form as the program's first event.
    template <class F> void start() {
        dispatch([this] { form<F>().Show(); });
    }

    // Entry points for hosts: each is one event.
    void keyPress(Form& form, std::int16_t keyAscii);
    void timerTick(Form& form, Timer& timer);
    void click(Form& form, const ControlDesign& control);
    void mouseMove(Form& form, const ControlDesign* control);
    void closeRequested(Form& form);
    void activatedByUser(Form& form);
    void mediaCompleted(Form& form, std::function<void()> raiseDone) override;
    void dispatch(std::function<void()> procedure);

    const std::vector<Form*>& loadedForms() const { return loaded; }
    Form* activeForm() const { return active; }
    bool hasForm(const Form& form) const;

    // Runtime services of the forms.
    void Randomize();
    float Rnd();
    void MsgBox(std::string_view prompt, int style);
    const std::string& title() const { return appTitle; }
    SequencerDevice& sequencer() override { return device; }

    // Tests watch every media property set and command through this.
    void setMediaTrace(std::function<void(const std::string&)> trace) {
        mediaTrace = std::move(trace);
    }
    void traceMedia(const std::string& entry) const override {
        if (mediaTrace)
            mediaTrace(entry);
    }

private:
    template <class F> F* find() const;
    Form& adopt(std::unique_ptr<Form> form);
    std::uint64_t newLoadSerial() override { return nextSerial++; }
    void bringToFront(Form& form) override;
    void deliverActivation();
    void runEvent(const std::function<void()>& procedure);

    Host& host;
    SequencerDevice& device;
    RandomSource& random;
    std::string appTitle;
    std::vector<std::unique_ptr<Form>> forms;
    std::vector<Form*> loaded;
    std::vector<Form*> zOrder; // shown forms, frontmost last
    std::vector<std::unique_ptr<Form>> unloadedDuringEvent;
    Form* active = nullptr;
    std::uint64_t lastActivatedSerial = 0;
    std::uint64_t nextSerial = 1;
    bool inEvent = false;
    bool finished = false;
    std::deque<std::function<void()>> waiting;
    std::function<void(const std::string&)> mediaTrace;
};

template <class F> F* Application::find() const {
    for (const auto& form : forms)
        if (auto* match = dynamic_cast<F*>(form.get()))
            return match;
    return nullptr;
}

template <class F> F& Application::form() {
    if (F* existing = find<F>())
        return *existing;
    auto& created = static_cast<F&>(adopt(std::make_unique<F>(*this)));
    created.Form_Load();
    return created;
}

} // namespace tanzel
