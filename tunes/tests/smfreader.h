// A Standard MIDI File reader for the tests, written apart from the writer so that it can judge it.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tunetest {

struct MidiEvent {
    int tick = 0;
    std::uint8_t status = 0; // 0xFF for meta events
    std::optional<std::uint8_t> metaType;
    std::vector<std::uint8_t> data;
};

struct MidiFile {
    int format = 0;
    int division = 0;
    std::vector<std::vector<MidiEvent>> tracks;
};

// A sounding note rebuilt from its note-on and its note-off (or note-on of velocity 0).
struct HeardNote {
    int channel = 0; // 0 to 15, as on the wire
    int key = 0;
    int start = 0;
    int end = 0;
};

// Throws std::runtime_error on anything a strict reader would refuse, running status used
// where none is in force among them.
MidiFile readMidiFile(const std::vector<std::uint8_t>& bytes);

// Throws std::runtime_error on a note-on for a key that is already down, a note-off for a key
// that is up, or a key still down when its track ends.
std::vector<HeardNote> pairNotes(const MidiFile& file);

} // namespace tunetest
