// Lays a part's words out in time: notes, chords, rests, ties, accents, velocities and bar checks.
#include "partlayout.h"

#include "notation.h"
#include "tuneerror.h"
#include "wording.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <string_view>

namespace tune {

namespace {

constexpr int accentBoost = 20;

// What follows the pitches of a note, chord or rest: "/8.", then "~" (tie) and "!" (accent).
struct Suffix {
    std::optional<int> duration;
    bool tie = false;
    bool accent = false;
};

Suffix readSuffix(std::string_view suffix, const Word& word) {
    Suffix result;
    if (suffix.starts_with('/')) {
        const std::size_t flags = std::min(suffix.find_first_of("~!"), suffix.size());
        result.duration = durationTicks(suffix.substr(1, flags - 1));
        if (!result.duration)
            throw TuneError(word.line, quoted(suffix.substr(1, flags - 1)) +
                                           " is not a duration (1, 2, 4, 8, 16, 32 or 64, "
                                           "optionally followed by '.' or 't') in " +
                                           quoted(word.text));
        suffix.remove_prefix(flags);
    }
    for (const char flag : suffix) {
        bool& seen = flag == '~' ? result.tie : result.accent;
        if ((flag != '~' && flag != '!') || seen)
            throw TuneError(word.line, "unexpected " + quoted(std::string_view(&flag, 1)) + " in " +
                                           quoted(word.text));
        seen = true;
    }
    return result;
}

class Layout {
public:
    Layout(const TimeSignature& time, const ChordNames& chords, const PartStyle& style)
        : time(time)
        , chords(chords)
        , style(style)
        , velocity(style.velocity) {}

    void add(const Word& word);
    Timeline finish(int lastLine);

private:
    // A note whose final tied piece is known, so that the gate only shortens that piece.
    struct LaidNote {
        Note note;
        int lastPiece = 0;
    };

    void checkBarLine(const Word& word);
    void setVelocity(const Word& word);
    void rest(const Word& word);
    void play(const Word& word);
    std::vector<int> keysOf(std::string_view pitches, const Word& word) const;
    int advanceBy(const Suffix& suffix);
    void refuseOpenTies(const Word& word, std::string_view why) const;

    const TimeSignature& time;
    const ChordNames& chords;
    const PartStyle& style;
    int velocity;
    int tick = 0;
    int lastBarLine = 0;
    int lastDuration = ticksPerQuarter;
    std::vector<LaidNote> laidNotes;
    std::map<int, std::size_t> openTies; // key to index in laidNotes
};

void Layout::add(const Word& word) {
    const std::string_view text = word.text;
    if (text == "|")
        checkBarLine(word);
    else if (text == "r" || text.starts_with("r/"))
        rest(word);
    else if (text.size() > 1 && text.front() == 'v' && parseNumber(text.substr(1)))
        setVelocity(word);
    else
        play(word);
}

void Layout::checkBarLine(const Word& word) {
    const int sinceLastBarLine = tick - lastBarLine;
    if (sinceLastBarLine % time.ticksPerBar() != 0)
        throw TuneError(word.line, "bar line after " + beatCount(sinceLastBarLine, time) +
                                       " of music: a " + std::to_string(time.numerator) + "/" +
                                       std::to_string(time.denominator) + " bar has " +
                                       std::to_string(time.numerator) + " beats");
    lastBarLine = tick;
}

void Layout::setVelocity(const Word& word) {
    const int value = *parseNumber(std::string_view(word.text).substr(1));
    if (value < 1 || value > 127)
        throw TuneError(word.line, "velocity " + quoted(word.text) + " is not from v1 to v127");
    velocity = value;
}

void Layout::rest(const Word& word) {
    const Suffix suffix = readSuffix(std::string_view(word.text).substr(1), word);
    if (suffix.tie || suffix.accent)
        throw TuneError(word.line, "a rest cannot be tied or accented: " + quoted(word.text));
    refuseOpenTies(word, "a rest");
    advanceBy(suffix);
}

void Layout::play(const Word& word) {
    const std::string_view text = word.text;
    const bool isChord = text.starts_with('[');
    const std::size_t pitchesEnd = isChord ? text.find(']') : text.find_first_of("/~!");
    const std::string_view pitches =
        isChord ? text.substr(1, pitchesEnd - 1) : text.substr(0, pitchesEnd);
    const std::vector<int> keys = keysOf(pitches, word);
    const std::size_t suffixStart = isChord ? pitchesEnd + 1 : pitchesEnd;
    const Suffix suffix =
        readSuffix(suffixStart >= text.size() ? "" : text.substr(suffixStart), word);
    const int start = tick;
    const int duration = advanceBy(suffix);

    std::map<int, std::size_t> tiesOnward;
    for (const int key : keys) {
        const auto tied = openTies.find(key);
        std::size_t index = laidNotes.size();
        if (tied != openTies.end()) {
            index = tied->second;
            laidNotes[index].note.length += duration;
            openTies.erase(tied);
        } else {
            const int noteVelocity =
                suffix.accent ? std::min(127, velocity + accentBoost) : velocity;
            laidNotes.push_back({{start, duration, key, noteVelocity}, 0});
        }
        laidNotes[index].lastPiece = duration;
        if (suffix.tie)
            tiesOnward[key] = index;
    }
    refuseOpenTies(word, "the next note");
    openTies = std::move(tiesOnward);
}

std::vector<int> Layout::keysOf(std::string_view pitches, const Word& word) const {
    std::vector<int> keys;
    std::istringstream items{std::string(pitches)};
    std::string item;
    while (items >> item) {
        if (const auto key = noteKey(item)) {
            if (*key < 0 || *key > 127)
                throw TuneError(word.line, quoted(item) + " is outside the MIDI range C-1 to G9");
            keys.push_back(*key);
        } else if (const auto chord = chords.find(item); chord != chords.end()) {
            keys.insert(keys.end(), chord->second.begin(), chord->second.end());
        } else if (const auto drum = drumKey(item)) {
            keys.push_back(*drum);
        } else {
            throw TuneError(word.line,
                            quoted(item) + " is not a note, rest, chord name or drum name");
        }
    }
    if (keys.empty())
        throw TuneError(word.line, "empty chord " + quoted(word.text));
    std::vector<int> sorted = keys;
    std::ranges::sort(sorted);
    if (const auto twice = std::ranges::adjacent_find(sorted); twice != sorted.end())
        throw TuneError(word.line, noteName(*twice) + " sounds twice in " + quoted(word.text));
    return keys;
}

int Layout::advanceBy(const Suffix& suffix) {
    if (suffix.duration)
        lastDuration = *suffix.duration;
    tick += lastDuration;
    return lastDuration;
}

void Layout::refuseOpenTies(const Word& word, std::string_view why) const {
    if (!openTies.empty())
        throw TuneError(word.line, noteName(openTies.begin()->first) + " is tied, but " +
                                       std::string(why) + " (" + quoted(word.text) +
                                       ") does not continue it");
}

Timeline Layout::finish(int lastLine) {
    if (!openTies.empty())
        throw TuneError(lastLine,
                        noteName(openTies.begin()->first) + " is tied at the very end of the part");
    Timeline timeline{{}, tick};
    for (const auto& [note, lastPiece] : laidNotes) {
        const int release = lastPiece * (100 - style.gate) / 100;
        timeline.notes.push_back(note);
        timeline.notes.back().length = std::max(1, note.length - release);
    }
    return timeline;
}

} // namespace

Timeline layOutPart(const std::vector<Word>& words, const TimeSignature& time,
                    const ChordNames& chords, const PartStyle& style) {
    Layout layout(time, chords, style);
    for (const Word& word : words)
        layout.add(word);
    return layout.finish(words.empty() ? 0 : words.back().line);
}

} // namespace tune
