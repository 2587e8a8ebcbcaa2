// Tests of the small words of the tune language: note names, durations and keys.
#include "notation.h"

#include <gtest/gtest.h>

using tune::durationTicks;
using tune::keySignature;
using tune::noteKey;
using tune::noteName;

TEST(NoteNames, CountFromMiddleCAsC4) {
    EXPECT_EQ(noteKey("C4"), 60);
    EXPECT_EQ(noteKey("A4"), 69);
    EXPECT_EQ(noteKey("C#4"), 61);
    EXPECT_EQ(noteKey("Bb3"), 58);
    EXPECT_EQ(noteKey("Cb4"), 59);
    EXPECT_EQ(noteKey("C-1"), 0);
    EXPECT_EQ(noteKey("G9"), 127);
}

TEST(NoteNames, LetOutOfRangeNotesThroughForTheCallerToReport) {
    EXPECT_EQ(noteKey("G#9"), 128);
    EXPECT_LT(*noteKey("B-2"), 0);
    EXPECT_GT(*noteKey("C2147483647"), 127);
}

TEST(NoteNames, RejectWhatIsNotANoteName) {
    for (const char* text : {"", "H4", "c4", "C", "C#", "C4.5", "Cx4", "C 4", "kick"})
        EXPECT_FALSE(noteKey(text)) << text;
}

TEST(NoteNames, ReadBackEveryKeyTheyName) {
    for (int key = 0; key <= 127; ++key)
        EXPECT_EQ(noteKey(noteName(key)), key) << noteName(key);
}

TEST(Durations, AreFractionsOfAWholeNoteOfFourQuarters) {
    EXPECT_EQ(durationTicks("1"), 1920);
    EXPECT_EQ(durationTicks("2"), 960);
    EXPECT_EQ(durationTicks("4"), 480);
    EXPECT_EQ(durationTicks("8"), 240);
    EXPECT_EQ(durationTicks("16"), 120);
    EXPECT_EQ(durationTicks("32"), 60);
    EXPECT_EQ(durationTicks("64"), 30);
}

TEST(Durations, DotAddsHalfAndTripletTakesTwoThirds) {
    EXPECT_EQ(durationTicks("2."), 1440);
    EXPECT_EQ(durationTicks("4."), 720);
    EXPECT_EQ(durationTicks("8."), 360);
    EXPECT_EQ(durationTicks("4t"), 320);
    EXPECT_EQ(durationTicks("8t"), 160);
    EXPECT_EQ(durationTicks("16t"), 80);
}

TEST(Durations, RejectWhatIsNotAPowerOfTwoUpTo64) {
    for (const char* text : {"", "0", "3", "6", "128", "-4", ".", "4..", "4t.", "t", "4x"})
        EXPECT_FALSE(durationTicks(text)) << text;
}

TEST(Keys, GiveTheSharpsAndModeOfTheKeySignature) {
    const std::tuple<const char*, int, bool> cases[] = {
        {"C", 0, false},   {"G", 1, false},   {"D", 2, false},   {"F", -1, false},
        {"Bb", -2, false}, {"C#", 7, false},  {"Cb", -7, false}, {"Am", 0, true},
        {"Em", 1, true},   {"F#m", 3, true},  {"A#m", 7, true},  {"Dm", -1, true},
        {"Ebm", -6, true}, {"Abm", -7, true},
    };
    for (const auto& [name, sharps, minor] : cases) {
        const auto key = keySignature(name);
        ASSERT_TRUE(key) << name;
        EXPECT_EQ(key->sharps, sharps) << name;
        EXPECT_EQ(key->minor, minor) << name;
    }
}

TEST(Keys, RejectNamesAndKeysBeyondSevenAccidentals) {
    for (const char* text : {"", "H", "c", "A#", "D#", "Cbm", "Fbm", "Cmaj", "m"})
        EXPECT_FALSE(keySignature(text)) << text;
}

TEST(Keys, KnowTheirTonic) {
    EXPECT_EQ(keySignature("D")->tonicPitchClass(), 2);
    EXPECT_EQ(keySignature("Am")->tonicPitchClass(), 9);
    EXPECT_EQ(keySignature("Gb")->tonicPitchClass(), 6);
    EXPECT_EQ(keySignature("Ebm")->tonicPitchClass(), 3);
    EXPECT_EQ(keySignature("C#m")->tonicPitchClass(), 1);
}
