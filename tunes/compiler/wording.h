// Shared phrasing of error messages, so that every message quotes and counts the same way.
#pragma once

#include "tune.h"

#include <string>
#include <string_view>

namespace tune {

std::string quoted(std::string_view text);

// "4.5 beats", counted in the beat of the time signature.
std::string beatCount(int ticks, const TimeSignature& time);

} // namespace tune
