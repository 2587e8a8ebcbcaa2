// The fonts the designs name, mapped to installed faces of the same size and weight.
#pragma once

#include "platform/design.h"

#include <QFont>

namespace tanzel {

// Sizes are kept in pixels at the designs' 96 dots per inch, so text keeps its place in the
// layout whatever the screen's own resolution.
QFont mappedFont(const FontSpec& face);

} // namespace tanzel
