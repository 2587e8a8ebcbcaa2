// The structural check of MIDI files: what FluidSynth would load is accepted, the rest refused.
#include "platform/fluidsynth/smfcheck.h"
#include "smfbytes.h"

#include <gtest/gtest.h>

namespace tanzel::test {
namespace {

const Bytes noteOn = {0x00, 0x90, 0x3c, 0x64};
const Bytes noteOff = {0x83, 0x60, 0x80, 0x3c, 0x00};

TEST(SmfCheck, AcceptsWhatFluidSynthPlays) {
    const std::vector<std::pair<const char*, Bytes>> playable = {
        {"the test tune", midiFile({heldMelody(4)})},
        {"two tracks", midiFile({heldMelody(2), noteOn + noteOff + endOfTrack})},
        {"running status", midiFile({noteOn + Bytes{0x10, 0x3c, 0x00} + endOfTrack})},
        {"a chunk of an unknown kind first",
         header(0, 1) + chunk("XFIH", {1, 2, 3}) + chunk("MTrk", noteOn + noteOff + endOfTrack)},
        {"bytes after the end of the track",
         midiFile({noteOn + noteOff + endOfTrack + Bytes{0xde, 0xad}})},
        {"no end-of-track event", midiFile({noteOn + noteOff})},
        {"a system exclusive message",
         midiFile({Bytes{0x00, 0xf0, 0x05, 0x7e, 0x7f, 0x09, 0x01, 0xf7} + noteOn + endOfTrack})},
        {"a four-byte delta time",
         midiFile({Bytes{0xff, 0xff, 0xff, 0x7f, 0x90, 0x3c, 0x64} + endOfTrack})},
        {"trailing bytes after the last track", midiFile({noteOn + endOfTrack}) + Bytes{0, 0, 0}},
    };
    for (const auto& [name, bytes] : playable)
        EXPECT_EQ(findSmfProblem(bytes), std::nullopt) << name;
}

TEST(SmfCheck, RefusesBrokenHeaders) {
    const Bytes track = chunk("MTrk", noteOn + endOfTrack);
    const std::vector<std::pair<Bytes, std::string>> broken = {
        {Bytes{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 1}, "not a MIDI file"},
        {Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 6, 0, 0, 0, 1, 1, 0xe0} + track, "not a MIDI file"},
        {chunk("MThd", {0, 0, 0, 1, 1, 0xe0, 0}) + track,
         "broken MIDI file (header of unexpected size)"},
        {header(3, 1) + track, "broken MIDI file (unknown format 3)"},
        {header(0, 0), "broken MIDI file (no tracks)"},
        {header(1, 129) + track, "broken MIDI file (more than 128 tracks)"},
        {header(0, 1, 0xe728) + track, "broken MIDI file (SMPTE time code is not supported)"},
        {header(0, 1, 0) + track, "broken MIDI file (zero ticks per quarter note)"},
        {header(1, 2) + track, "broken MIDI file (track 2 is missing)"},
        {header(0, 1) + Bytes{'M', 'T', 'r', 'k', 0, 0, 0x10, 0} + noteOn + endOfTrack,
         "broken MIDI file (chunk runs past the end of the file)"},
        {header(0, 1) + chunk("\x01\x02\x03\x04", {}) + track,
         "broken MIDI file (corrupt chunk header)"},
    };
    for (const auto& [bytes, problem] : broken)
        EXPECT_EQ(findSmfProblem(bytes), problem);
}

Bytes longestDeltas(int count) {
    Bytes body;
    for (int i = 0; i < count; ++i)
        body = body + Bytes{0xff, 0xff, 0xff, 0x7f, 0x90, 0x3c, 0x64};
    return body;
}

TEST(SmfCheck, RefusesBrokenEvents) {
    const std::vector<std::pair<Bytes, std::string>> broken = {
        {Bytes{0x00, 0x3c, 0x64} + endOfTrack, "data byte without a status byte"},
        {noteOn + Bytes{0x00, 0xff, 0x01, 0x00, 0x00, 0x3c, 0x64} + endOfTrack,
         "data byte without a status byte"},
        {Bytes{0x80, 0x80, 0x80, 0x80, 0x00, 0x90, 0x3c, 0x64} + endOfTrack, "bad delta time"},
        {longestDeltas(9) + endOfTrack, "too long"},
        {Bytes{0x00, 0xff, 0x51, 0x03, 0x00, 0x00, 0x00} + endOfTrack, "bad tempo"},
        {Bytes{0x00, 0xff, 0x51, 0x02, 0x07, 0xa1} + endOfTrack, "bad tempo"},
        {Bytes{0x00, 0xff, 0x58, 0x03, 0x04, 0x02, 0x18} + endOfTrack, "bad time signature"},
        {Bytes{0x00, 0xff, 0x2f, 0x01, 0x00}, "end-of-track event with data"},
        {Bytes{0x00, 0xff, 0x03, 0x10, 'a'} + endOfTrack,
         "meta event runs past the end of the track"},
        {Bytes{0x00, 0xf0, 0x10, 0x7e} + endOfTrack,
         "system exclusive message runs past the end of the track"},
        {Bytes{0x00, 0xf1, 0x00} + endOfTrack, "unsupported status byte 0xF1"},
        {Bytes{0x00, 0xf7, 0x01, 0x00} + endOfTrack, "unsupported status byte 0xF7"},
        {Bytes{0x00, 0x90, 0x3c, 0x80} + endOfTrack, "data byte out of range"},
        {Bytes{0x00, 0x90, 0x3c}, "ends inside a channel message"},
        {noteOn + Bytes{0x00}, "ends inside an event"},
    };
    for (const auto& [body, problem] : broken)
        EXPECT_EQ(findSmfProblem(midiFile({body})), "broken MIDI file (track 1: " + problem + ")");
    EXPECT_EQ(findSmfProblem(midiFile({longestDeltas(8) + endOfTrack})), std::nullopt);
}

TEST(SmfCheck, NamesTheBrokenTrack) {
    EXPECT_EQ(findSmfProblem(midiFile({heldMelody(1), Bytes{0x00, 0x3c, 0x64} + endOfTrack})),
              "broken MIDI file (track 2: data byte without a status byte)");
}

} // namespace
} // namespace tanzel::test
