// What the runtime needs from the thing that shows forms and runs their timers.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tanzel {

class Form;

class Host {
public:
    virtual ~Host() = default;

    // After every event procedure: bring windows, timers, cursors and drawing in line with the
    // loaded forms. Forms are listed in load order.
    virtual void sync(const std::vector<Form*>& loadedForms) = 0;
    // Called while the form still exists, right after its Form_Unload.
    virtual void formUnloaded(Form& form) = 0;
    // Modal; returns when the box is closed.
    virtual void messageBox(std::string_view prompt, int style, std::string_view title) = 0;
    // Shows the error once and ends the program with status 1.
    virtual void fatalError(std::string_view message) = 0;
    // No form is loaded any more: the program ends with status 0.
    virtual void quit() = 0;
    // Milliseconds on the host's clock; the only time the runtime ever reads.
    virtual std::int64_t clockMilliseconds() const = 0;
};

} // namespace tanzel
