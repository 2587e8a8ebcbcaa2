// Window bookkeeping, message boxes and the end of the program under Qt.
#include "qthost.h"

#include "formwindow.h"
#include "platform/application.h"

#include <QApplication>
#include <QDateTime>
#include <QMessageBox>
#include <cstdio>

namespace tanzel {

namespace {
QString text(std::string_view value) {
    return QString::fromUtf8(value.data(), qsizetype(value.size()));
}
} // namespace

QtHost::QtHost() {
    started.start();
}

QtHost::~QtHost() = default;

FormWindow* QtHost::window(const Form& form) const {
    auto found = windows.find(&form);
    return found == windows.end() ? nullptr : found->second.get();
}

void QtHost::post(std::function<void()> task) {
    QMetaObject::invokeMethod(this, std::move(task), Qt::QueuedConnection);
}

void QtHost::sync(const std::vector<Form*>& loadedForms) {
    const Form* active = app->activeForm();
    const bool activeChanged =
        active && (active != lastActive || active->serial() != lastActiveSerial);
    lastActive = active;
    lastActiveSerial = active ? active->serial() : 0;
    for (Form* form : loadedForms) {
        auto& window = windows[form];
        if (!window)
            window = std::make_unique<FormWindow>(*app, *form, pictures);
        window->sync(activeChanged && form == active);
    }
}

void QtHost::formUnloaded(Form& form) {
    auto found = windows.find(&form);
    if (found == windows.end())
        return;
    // The form may be unloading from inside one of its window's own event handlers.
    found->second->hide();
    found->second.release()->deleteLater();
    windows.erase(found);
    if (lastActive == &form)
        lastActive = nullptr;
}

void QtHost::messageBox(std::string_view prompt, int style, std::string_view title) {
    constexpr int InformationIcon = 64;
    QMessageBox box(style & InformationIcon ? QMessageBox::Information : QMessageBox::NoIcon,
                    text(title), text(prompt), QMessageBox::Ok, QApplication::activeWindow());
    box.exec();
}

void QtHost::fatalError(std::string_view message) {
    std::fprintf(stderr, "tanzel-punch: %.*s\n", int(message.size()), message.data());
    status = 1;
    QMessageBox::critical(nullptr, text(app->title()), text(message));
    QCoreApplication::exit(status);
}

void QtHost::quit() {
    QCoreApplication::exit(status);
}

std::int64_t QtHost::clockMilliseconds() const {
    return QDateTime::currentMSecsSinceEpoch();
}

} // namespace tanzel
