// Tests of the whole-file writer: layout of the file, tempo and signatures, note order, track ends.
#include "midifilewriter.h"
#include "smfreader.h"

#include <gtest/gtest.h>

using tune::Bytes;
using tune::Note;
using tune::Part;
using tune::Tune;

namespace {

Tune smallTune() {
    Tune tune;
    tune.title = "T";
    tune.tempo = 120;
    tune.time = {3, 4};
    tune.key = {1, false};
    Part part;
    part.name = "p";
    part.channel = 2;
    part.program = 1;
    part.reverb = 40;
    part.notes = {{0, 240, 60, 90}, {240, 240, 64, 80}};
    part.endTick = 960;
    tune.parts.push_back(part);
    return tune;
}

} // namespace

TEST(MidiFileWriter, WritesTheExpectedBytesForASmallTune) {
    const Bytes expected{
        'M',  'T',  'h',  'd',  0x00, 0x00, 0x00, 0x06, // header chunk
        0x00, 0x01, 0x00, 0x02, 0x01, 0xE0,             // format 1, two tracks, 480 a quarter
        'M',  'T',  'r',  'k',  0x00, 0x00, 0x00, 0x1F, // tempo track
        0x00, 0xFF, 0x03, 0x01, 'T',                    // title
        0x00, 0xFF, 0x58, 0x04, 0x03, 0x02, 0x18, 0x08, // 3/4
        0x00, 0xFF, 0x59, 0x02, 0x01, 0x00,             // G major
        0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,       // 500000 microseconds a quarter
        0x87, 0x40, 0xFF, 0x2F, 0x00,                   // ends with the part, trailing rest too
        'M',  'T',  'r',  'k',  0x00, 0x00, 0x00, 0x26, // the part's track
        0x00, 0xFF, 0x03, 0x01, 'p',                    // part name
        0x00, 0xC1, 0x00,                               // program 1 is 0 on the wire
        0x00, 0xB1, 0x07, 0x64,                         // volume
        0x00, 0x0A, 0x40,                               // pan
        0x00, 0x5B, 0x28,                               // reverb
        0x00, 0x91, 0x3C, 0x5A,                         // C4 on
        0x81, 0x70, 0x3C, 0x00,                         // C4 off as a note-on of velocity 0
        0x00, 0x40, 0x50,                               // E4 on
        0x81, 0x70, 0x40, 0x00,                         // E4 off
        0x83, 0x60, 0xFF, 0x2F, 0x00,                   // end of track after the rest
    };
    EXPECT_EQ(tune::writeMidiFile(smallTune()), expected);
}

TEST(MidiFileWriter, ReleasesARepeatedKeyBeforeStrikingItAgain) {
    Tune tune = smallTune();
    tune.parts[0].notes = {{0, 480, 60, 90}, {480, 480, 60, 90}};
    const auto notes = tunetest::pairNotes(tunetest::readMidiFile(tune::writeMidiFile(tune)));
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_EQ(notes[0].start, 0);
    EXPECT_EQ(notes[0].end, 480);
    EXPECT_EQ(notes[1].start, 480);
    EXPECT_EQ(notes[1].end, 960);
}

TEST(MidiFileWriter, PlaysDrumsOnChannelTenWithoutAProgramChange) {
    Tune tune = smallTune();
    tune.parts[0].channel = 10;
    tune.parts[0].program.reset();
    const auto file = tunetest::readMidiFile(tune::writeMidiFile(tune));
    for (const auto& event : file.tracks[1]) {
        EXPECT_NE(event.status & 0xF0, 0xC0);
        if (event.status != 0xFF) {
            EXPECT_EQ(event.status & 0x0F, 9);
        }
    }
}

TEST(MidiFileWriter, EndsEveryTrackAtTheEndOfTheLongestPart) {
    Tune tune = smallTune();
    Part second = tune.parts[0];
    second.name = "q";
    second.channel = 3;
    second.endTick = 1920;
    tune.parts.push_back(second);
    const auto file = tunetest::readMidiFile(tune::writeMidiFile(tune));
    ASSERT_EQ(file.tracks.size(), 3u);
    for (const auto& track : file.tracks)
        EXPECT_EQ(track.back().tick, 1920);
}

TEST(MidiFileWriter, RoundsTheTempoToWholeMicroseconds) {
    Tune tune = smallTune();
    tune.tempo = 144;
    const auto file = tunetest::readMidiFile(tune::writeMidiFile(tune));
    const auto& tempo = file.tracks[0][3];
    ASSERT_EQ(tempo.metaType, 0x51);
    EXPECT_EQ(tempo.data, (std::vector<std::uint8_t>{0x06, 0x5B, 0x9B})); // 416667
}
