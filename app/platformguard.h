// Keeps the windowing system's start-up failures to one line of our own and exit status 1.
#pragma once

namespace tanzel {

// Between these two calls Qt's messages are kept off the terminal, and a platform that cannot
// start (no display, an unreachable X server) ends the program with one line and status 1
// instead of Qt's abort and core dump.
void guardPlatformStart();
void endPlatformGuard();

} // namespace tanzel
