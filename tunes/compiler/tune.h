// The compiled form of a tune: parts as timed notes, ready to be written out as MIDI.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tune {

inline constexpr int ticksPerQuarter = 480;
inline constexpr int drumChannel = 10;

struct TimeSignature {
    int numerator = 4;
    int denominator = 4;

    int ticksPerBeat() const { return ticksPerQuarter * 4 / denominator; }
    int ticksPerBar() const { return ticksPerBeat() * numerator; }
};

// Counted the way MIDI stores it: flats are negative sharps.
struct KeySignature {
    int sharps = 0;
    bool minor = false;

    int tonicPitchClass() const;
};

// Length is how long the note sounds, the part's gate already applied.
struct Note {
    int start = 0;
    int length = 0;
    int key = 0;
    int velocity = 0;
};

struct Part {
    std::string name;
    int channel = 1;            // 1 to 16, as musicians count them
    std::optional<int> program; // 1 to 128, the numbering of the General MIDI list
    int volume = 100;
    int pan = 64;
    int reverb = 40;
    std::vector<Note> notes;
    int endTick = 0; // where the last note or rest of the part ends, trailing rests included
};

struct Tune {
    std::string title;
    int tempo = 120; // quarter notes per minute, whatever the time signature
    TimeSignature time;
    KeySignature key;
    std::vector<Part> parts;

    int endTick() const;
    int microsecondsPerQuarter() const;
    double lengthSeconds() const;
};

} // namespace tune
