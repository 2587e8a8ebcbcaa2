// Checks that bytes form a Standard MIDI File that FluidSynth's player will load and play.
#pragma once

#include <optional>
#include <span>
#include <string>

namespace tanzel {

// Why the bytes are not a playable MIDI file ("not a MIDI file", "broken MIDI file (…)"), or
// nothing when they are. At least as strict as FluidSynth's own parser, which only runs later on
// the synth thread and fails there without a word.
std::optional<std::string> findSmfProblem(std::span<const unsigned char> bytes);

} // namespace tanzel
