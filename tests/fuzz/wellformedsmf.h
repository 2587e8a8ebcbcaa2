// Turns fuzz bytes into a Standard MIDI File that is mostly well formed, so that most inputs get
// past the check and on to FluidSynth.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tanzel::fuzz {

// Every byte of `recipe` picks something: the header's fields, how many tracks and events, each
// event's kind, delta time and data. The choices lean towards what a tune holds, with room for
// the edges: odd meta lengths, a zero tempo, running status, system exclusive messages, chunks of
// unknown kinds, tracks without an end and bytes after the end.
std::vector<unsigned char> wellFormedSmf(std::span<const std::uint8_t> recipe);

} // namespace tanzel::fuzz
