// The mouse pointer shapes a form can ask for.
#pragma once

#include "platform/form.h"

#include <QCursor>
#include <optional>

namespace tanzel {

// The cursor for a form's MousePointer; none for the default shape, which leaves the window
// system's own.
std::optional<QCursor> cursorFor(MousePointerShape mousePointer);

} // namespace tanzel
