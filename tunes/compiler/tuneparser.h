// Reads a whole .tune source into a Tune, checking it as it goes.
#pragma once

#include "tune.h"

#include <string_view>

namespace tune {

// Throws TuneError, with the line at fault, on anything it cannot make sense of.
Tune parseTune(std::string_view source);

} // namespace tune
