// The small words of the tune language: numbers, note names, drum names, durations and keys.
#pragma once

#include "tune.h"

#include <optional>
#include <string>
#include <string_view>

namespace tune {

std::optional<int> parseNumber(std::string_view text);

// "C4" is 60, "Bb3" 58, "F#-1" 6. The result may fall outside 0..127 for the caller to reject.
std::optional<int> noteKey(std::string_view name);
std::string noteName(int key);

std::optional<int> drumKey(std::string_view name);

// "4" is a quarter note, "8." a dotted eighth, "8t" an eighth of a triplet.
std::optional<int> durationTicks(std::string_view text);

// "D" is D major, "F#m" F sharp minor.
std::optional<KeySignature> keySignature(std::string_view name);

} // namespace tune
