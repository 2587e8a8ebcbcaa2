// MMControl: a media control driven by setting properties and writing command strings.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace tanzel {

class Form;
class MediaControl;
class SequencerDevice;

// What a media control needs of the program around it.
class MediaRuntime {
public:
    virtual SequencerDevice& sequencer() = 0;
    // Every property set and command, as "Form.Control.Property=value", for tests to watch.
    virtual void traceMedia(const std::string& entry) const = 0;
    // Raises the completion later, as an event of its own, unless `form` has been unloaded.
    virtual void mediaCompleted(Form& form, std::function<void()> raiseDone) = 0;

protected:
    ~MediaRuntime() = default;
};

// A property whose every assignment is traced, so tests can check the exact sequence.
template <class T> class MediaProperty {
public:
    MediaProperty(MediaControl& owner, std::string_view name)
        : owner(owner)
        , name(name) {}
    MediaProperty(const MediaProperty&) = delete;
    MediaProperty& operator=(const MediaProperty&) = delete;

    MediaProperty& operator=(T newValue);
    operator const T&() const { return value; }
    const T& get() const { return value; }

private:
    friend class MediaControl;
    MediaControl& owner;
    std::string_view name;
    T value{};
};

// Writing a command string runs it: "Open", "Play", "Stop" or "Close".
class MediaCommand {
public:
    explicit MediaCommand(MediaControl& owner)
        : owner(owner) {}
    MediaCommand(const MediaCommand&) = delete;
    MediaCommand& operator=(const MediaCommand&) = delete;

    MediaCommand& operator=(std::string_view command);

private:
    MediaControl& owner;
};

// Opens the process's sequencer exclusively. Notify and Wait apply to the next command only.
// A command that does not fit the state does nothing. Only a play that runs to its end with
// Notify set raises the completion event; a stopped or closed play reports nothing.
class MediaControl {
public:
    using DoneHandler = std::function<void(int notifyCode)>;
    static constexpr int NotifySuccessful = 1;

    // `form` owns the control; `traceName` is "Form.Control".
    MediaControl(MediaRuntime& runtime, Form& form, std::string traceName);
    ~MediaControl();
    MediaControl(const MediaControl&) = delete;
    MediaControl& operator=(const MediaControl&) = delete;

    MediaProperty<std::string> DeviceType{*this, "DeviceType"};
    MediaProperty<std::string> FileName{*this, "FileName"};
    MediaProperty<bool> Notify{*this, "Notify"};
    MediaProperty<bool> Wait{*this, "Wait"};
    MediaProperty<bool> Shareable{*this, "Shareable"};
    MediaCommand Command{*this};

    void onDone(DoneHandler handler) { doneHandler = std::move(handler); }

private:
    template <class T> friend class MediaProperty;
    friend class MediaCommand;

    void trace(std::string_view property, std::string_view value) const;
    void run(std::string_view command);
    void completed();

    MediaRuntime& runtime;
    Form& form;
    const std::string traceName;
    DoneHandler doneHandler;
    bool open = false;
};

template <class T> MediaProperty<T>& MediaProperty<T>::operator=(T newValue) {
    value = std::move(newValue);
    if constexpr (std::is_same_v<T, bool>)
        owner.trace(name, value ? "true" : "false");
    else
        owner.trace(name, value);
    return *this;
}

} // namespace tanzel
