// Lays a part's words out in time: notes, chords, rests, ties, accents, velocities and bar checks.
#pragma once

#include "sourcelines.h"
#include "tune.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tune {

using ChordNames = std::map<std::string, std::vector<int>, std::less<>>;

struct PartStyle {
    int velocity = 90;
    int gate = 90; // percent of each note's written length that sounds
};

struct Timeline {
    std::vector<Note> notes;
    int endTick = 0;
};

// The words must already be free of phrases and repeats (see expandPhrases).
Timeline layOutPart(const std::vector<Word>& words, const TimeSignature& time,
                    const ChordNames& chords, const PartStyle& style);

} // namespace tune
