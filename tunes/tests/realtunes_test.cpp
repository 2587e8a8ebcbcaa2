// Tests of the game's two tunes as written: they compile, fit their time windows, and loop cleanly.
#include "midifilewriter.h"
#include "smfreader.h"
#include "tuneparser.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

using tune::Note;
using tune::Tune;

namespace {

Tune loadTune(const std::string& name) {
    std::ifstream in(std::string(TUNE_SOURCE_DIR) + "/" + name + ".tune");
    std::ostringstream text;
    text << in.rdbuf();
    return tune::parseTune(text.str());
}

int firstSound(const Tune& tune) {
    int first = tune.endTick();
    for (const auto& part : tune.parts)
        for (const Note& note : part.notes)
            first = std::min(first, note.start);
    return first;
}

int lastSound(const Tune& tune) {
    int last = 0;
    for (const auto& part : tune.parts)
        for (const Note& note : part.notes)
            last = std::max(last, note.start + note.length);
    return last;
}

// The longest stretch in which no part sounds a note.
int longestSilence(const Tune& tune) {
    std::vector<std::pair<int, int>> spans;
    for (const auto& part : tune.parts)
        for (const Note& note : part.notes)
            spans.emplace_back(note.start, note.start + note.length);
    std::ranges::sort(spans);
    int longest = 0;
    int soundingUntil = 0;
    for (const auto& [start, end] : spans) {
        longest = std::max(longest, start - soundingUntil);
        soundingUntil = std::max(soundingUntil, end);
    }
    return std::max(longest, tune.endTick() - soundingUntil);
}

} // namespace

TEST(TitleTune, LastsTwentyToFortySeconds) {
    const Tune tune = loadTune("present");
    EXPECT_GE(tune.lengthSeconds(), 20.0);
    EXPECT_LE(tune.lengthSeconds(), 40.0);
}

TEST(GameTune, LastsFortyFiveToNinetySeconds) {
    const Tune tune = loadTune("music");
    EXPECT_GE(tune.lengthSeconds(), 45.0);
    EXPECT_LE(tune.lengthSeconds(), 90.0);
}

TEST(GameTune, StartsAtOnceAndEndsWithinABeatOfItsLastSound) {
    const Tune tune = loadTune("music");
    EXPECT_EQ(firstSound(tune), 0);
    EXPECT_LE(tune.endTick() - lastSound(tune), tune.time.ticksPerBeat());
}

TEST(GameTune, LoopsOnABarLineSoTheGrooveRunsOn) {
    const Tune tune = loadTune("music");
    EXPECT_EQ(tune.endTick() % tune.time.ticksPerBar(), 0);
}

TEST(GameTune, EndsOnTheDominantToLeadBackIntoTheTonic) {
    const Tune tune = loadTune("music");
    const int lastBeat = tune.endTick() - tune.time.ticksPerBeat();
    int lowest = 128;
    for (const auto& part : tune.parts) {
        if (part.channel == tune::drumChannel)
            continue;
        for (const Note& note : part.notes)
            if (note.start + note.length > lastBeat)
                lowest = std::min(lowest, note.key);
    }
    ASSERT_LT(lowest, 128);
    EXPECT_EQ(lowest % 12, (tune.key.tonicPitchClass() + 7) % 12);
}

TEST(BothTunes, NeverFallSilentForMoreThanABeat) {
    for (const char* name : {"present", "music"}) {
        const Tune tune = loadTune(name);
        EXPECT_LE(longestSilence(tune), tune.time.ticksPerBeat()) << name;
    }
}

TEST(BothTunes, WriteFilesWhoseNotesPairUpAndWhoseTracksEndTogether) {
    for (const char* name : {"present", "music"}) {
        const Tune tune = loadTune(name);
        const auto file = tunetest::readMidiFile(tune::writeMidiFile(tune));
        EXPECT_EQ(file.format, 1) << name;
        EXPECT_EQ(file.division, tune::ticksPerQuarter) << name;
        ASSERT_EQ(file.tracks.size(), tune.parts.size() + 1) << name;
        for (const auto& track : file.tracks)
            EXPECT_EQ(track.back().tick, tune.endTick()) << name;
        std::size_t written = 0;
        for (const auto& part : tune.parts)
            written += part.notes.size();
        EXPECT_EQ(tunetest::pairNotes(file).size(), written) << name;
    }
}
