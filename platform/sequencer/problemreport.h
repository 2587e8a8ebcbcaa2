// The one line on stderr by which the music device owns up to a failure the game never hears of.
#pragma once

#include <string_view>

namespace tanzel {

// Prints "tanzel-punch: <what>" as a single write, so lines from different threads never mix.
void reportProblem(std::string_view what);

} // namespace tanzel
