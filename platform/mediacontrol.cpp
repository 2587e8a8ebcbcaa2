// Runs media commands against the process's sequencer device.
#include "mediacontrol.h"

#include "sequencerdevice.h"

#include <utility>

namespace tanzel {

MediaCommand& MediaCommand::operator=(std::string_view command) {
    owner.trace("Command", command);
    owner.run(command);
    return *this;
}

MediaControl::MediaControl(MediaRuntime& runtime, Form& form, std::string traceName)
    : runtime(runtime)
    , form(form)
    , traceName(std::move(traceName)) {}

MediaControl::~MediaControl() {
    // The device goes with the form that owns the control, and with it any completion still due,
    // which would find this control gone.
    if (open)
        runtime.sequencer().close();
}

void MediaControl::trace(std::string_view property, std::string_view value) const {
    runtime.traceMedia(traceName + "." + std::string(property) + "=" + std::string(value));
}

void MediaControl::run(std::string_view command) {
    const bool notify = Notify.get();
    Notify.value = false;
    Wait.value = false;
    SequencerDevice& device = runtime.sequencer();
    if (command == "Open") {
        if (!open && DeviceType.get() == "Sequencer")
            open = device.open(FileName.get());
    } else if (command == "Play" && open) {
        SequencerDevice::Completion completion;
        if (notify)
            completion = [this] { completed(); };
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

// The completion waits its turn like any event; by then the form may be gone, and this control
// with it.
void MediaControl::completed() {
    runtime.mediaCompleted(form, [this] {
        if (doneHandler)
            doneHandler(NotifySuccessful);
    });
}

} // namespace tanzel
