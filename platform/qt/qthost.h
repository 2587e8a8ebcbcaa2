// Shows the loaded forms as Qt windows and runs their timers on Qt's event loop.
#pragma once

#include "picturecache.h"
#include "platform/host.h"

#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <map>
#include <memory>

namespace tanzel {

class Application;
class FormWindow;

class QtHost : public QObject, public Host {
    Q_OBJECT

public:
    QtHost();
    ~QtHost() override;

    void attach(Application& application) { app = &application; }
    // The window showing a form, or null when the form is not loaded.
    FormWindow* window(const Form& form) const;
    // Runs `task` later on the UI thread, as an event of its own; safe from any thread.
    void post(std::function<void()> task);

    void sync(const std::vector<Form*>& loadedForms) override;
    void formUnloaded(Form& form) override;
    void messageBox(std::string_view prompt, int style, std::string_view title) override;
    void fatalError(std::string_view message) override;
    void quit() override;
    std::int64_t clockMilliseconds() const override;

private:
    Application* app = nullptr;
    PictureCache pictures;
    std::map<const Form*, std::unique_ptr<FormWindow>> windows;
    const Form* lastActive = nullptr;
    std::uint64_t lastActiveSerial = 0;
    QElapsedTimer started;
    int status = 0;
};

} // namespace tanzel
