// Shared phrasing of error messages, so that every message quotes and counts the same way.
#include "wording.h"

#include <sstream>

namespace tune {

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string beatCount(int ticks, const TimeSignature& time) {
    std::ostringstream text;
    text << static_cast<double>(ticks) / time.ticksPerBeat()
         << (ticks == time.ticksPerBeat() ? " beat" : " beats");
    return text.str();
}

} // namespace tune
