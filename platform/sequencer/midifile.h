// Reads a tune from disk in one piece, refusing anything that is not a playable MIDI file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tanzel {

// Larger files are refused unread: a tune of the game is a few kilobytes.
inline constexpr std::uintmax_t maxMidiFileBytes = 4 * 1024 * 1024;

struct MidiFile {
    std::vector<unsigned char> bytes;
    // Why the file cannot be played, for the one line on stderr; empty when it can.
    std::string problem;
};

MidiFile readMidiFile(const std::filesystem::path& path);

} // namespace tanzel
