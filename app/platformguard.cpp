// The start-up guard around QApplication's construction.
#include "platformguard.h"

#include <QtGlobal>
#include <cstdio>
#include <cstdlib>

namespace tanzel {

namespace {

void startUpMessage(QtMsgType type, const QMessageLogContext&, const QString&) {
    if (type != QtFatalMsg)
        return;
    std::fputs("tanzel-punch: no display to open the game window on\n", stderr);
    std::_Exit(1);
}

} // namespace

void guardPlatformStart() {
    qInstallMessageHandler(startUpMessage);
}

void endPlatformGuard() {
    qInstallMessageHandler(nullptr);
}

} // namespace tanzel
