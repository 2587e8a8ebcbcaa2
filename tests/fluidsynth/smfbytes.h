// Writes small Standard MIDI Files byte by byte for the tests: sound ones and broken ones.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace tanzel::test {

using Bytes = std::vector<unsigned char>;

Bytes operator+(Bytes first, const Bytes& second);

Bytes variableLength(std::uint32_t value);
Bytes chunk(std::string_view id, const Bytes& body);
Bytes header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division = 480);
// A whole file: header plus one track chunk per body.
Bytes midiFile(const std::vector<Bytes>& trackBodies);

inline const Bytes endOfTrack = {0x00, 0xff, 0x2f, 0x00};

// Quarter notes on a church organ at 120 beats a minute, each held into the next: sound without
// a gap from the first tick to the last, which falls exactly `beats` half-seconds in.
Bytes heldMelody(int beats);

void writeFile(const std::filesystem::path& path, const Bytes& bytes);

} // namespace tanzel::test
