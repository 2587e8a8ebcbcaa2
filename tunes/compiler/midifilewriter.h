// Writes a Tune as a Standard MIDI File: format 1, a tempo track, then one track per part.
#pragma once

#include "miditrack.h"
#include "tune.h"

namespace tune {

Bytes writeMidiFile(const Tune& tune);

} // namespace tune
