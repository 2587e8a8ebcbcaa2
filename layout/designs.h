// The designs of the three windows, and the application's title.
#pragma once

#include "platform/design.h"

#include <string_view>

namespace tanzel::layout {

inline constexpr std::string_view ApplicationTitle = "RorozeDivor";

const FormDesign& gameDesign();     // Form1
const FormDesign& titleDesign();    // Form2
const FormDesign& gameOverDesign(); // Form3

} // namespace tanzel::layout
