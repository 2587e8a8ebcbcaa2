// Timing facts derived from a compiled tune.
#include "tune.h"

#include <algorithm>

namespace tune {

int KeySignature::tonicPitchClass() const {
    const int majorTonic = ((sharps * 7) % 12 + 12) % 12;
    return minor ? (majorTonic + 9) % 12 : majorTonic;
}

int Tune::endTick() const {
    int end = 0;
    for (const Part& part : parts)
        end = std::max(end, part.endTick);
    return end;
}

// Rounded the same way as the tempo event in the file, so lengths agree with what a player does.
int Tune::microsecondsPerQuarter() const {
    return (60'000'000 + tempo / 2) / tempo;
}

double Tune::lengthSeconds() const {
    return static_cast<double>(endTick()) * microsecondsPerQuarter() / ticksPerQuarter / 1e6;
}

} // namespace tune
