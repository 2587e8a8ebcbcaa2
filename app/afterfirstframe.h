// Puts off what the first frame does not need until the program's first window has painted.
#pragma once

#include <functional>

namespace tanzel {

// Runs `task` on the UI thread, once, as an event of its own after the first paint of any
// window. Call after the QApplication exists.
void afterFirstFrame(std::function<void()> task);

} // namespace tanzel
