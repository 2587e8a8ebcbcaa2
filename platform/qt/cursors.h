// The mouse pointer shapes a form can ask for.
#pragma once

#include <QCursor>
#include <cstdint>
#include <optional>

namespace tanzel {

// The cursor for a form's MousePointer; none for 0, which leaves the default.
std::optional<QCursor> cursorFor(std::int16_t mousePointer);

} // namespace tanzel
