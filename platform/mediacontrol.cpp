// Runs media commands against the process's sequencer device.
#include "mediacontrol.h"

#include "application.h"
#include "form.h"

namespace tanzel {

MediaCommand& MediaCommand::operator=(std::string_view command) {
    owner.trace("Command", command);
    owner.run(command);
    return *this;
}

MediaControl::MediaControl(Application& app, Form& form, std::string_view name)
    : app(app)
    , form(form)
    , name(name) {}

MediaControl::~MediaControl() {
    // The device goes with the form that owns the control.
    if (open)
        app.sequencer().close();
}

void MediaControl::trace(std::string_view property, std::string_view value) const {
    app.traceMedia(std::string(form.name()) + "." + std::string(name) + "." +
                   std::string(property) + "=" + std::string(value));
}

void MediaControl::run(std::string_view command) {
    const bool notify = Notify.get();
    Notify.value = false;
    Wait.value = false;
    SequencerDevice& device = app.sequencer();
    if (command == "Open") {
        if (!open && DeviceType.get() == "Sequencer")
            open = device.open(FileName.get());
    } else if (command == "Play" && open) {
        SequencerDevice::Completion completion;
        if (notify) {
            completion = [weak = std::weak_ptr(self)] {
                if (auto control = weak.lock())
                    (*control)->completed();
            };
        }
        device.play(std::move(completion));
    } else if (command == "Stop") {
        if (open)
            device.stop();
    } else if (command == "Close") {
        if (open)
            device.close();
        open = false;
    }
}

// The completion waits its turn like any event; by then the form may be gone, and its control
// with it, so the control is looked up again when the event runs.
void MediaControl::completed() {
    app.mediaCompleted(form, [weak = std::weak_ptr(self)] {
        if (auto control = weak.lock(); control && (*control)->doneHandler)
            (*control)->doneHandler(NotifySuccessful);
    });
}

} // namespace tanzel
