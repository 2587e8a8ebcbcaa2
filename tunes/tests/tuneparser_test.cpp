// Tests of reading tune source: timing, ties, velocities, repeats, phrases, settings and errors.
#include "tuneerror.h"
#include "tuneparser.h"

#include <gtest/gtest.h>
#include <string>

using tune::Note;
using tune::parseTune;
using tune::Tune;
using tune::TuneError;

namespace {

// One part on channel 1 with the gate fully open, so written and sounding lengths agree.
Tune parsePart(const std::string& music, const std::string& settings = "gate=100") {
    return parseTune("tempo 120\npart p channel=1 program=1 " + settings + "\n" + music +
                     "\nend\n");
}

std::vector<int> starts(const Tune& tune) {
    std::vector<int> result;
    for (const Note& note : tune.parts.at(0).notes)
        result.push_back(note.start);
    return result;
}

std::vector<int> lengths(const Tune& tune) {
    std::vector<int> result;
    for (const Note& note : tune.parts.at(0).notes)
        result.push_back(note.length);
    return result;
}

std::vector<int> keys(const Tune& tune) {
    std::vector<int> result;
    for (const Note& note : tune.parts.at(0).notes)
        result.push_back(note.key);
    return result;
}

std::vector<int> velocities(const Tune& tune) {
    std::vector<int> result;
    for (const Note& note : tune.parts.at(0).notes)
        result.push_back(note.velocity);
    return result;
}

using Ticks = std::vector<int>;

} // namespace

TEST(Timing, PlacesNotesAndRestsOneAfterAnother) {
    const Tune tune = parsePart("C4/4 r/8 D4/8 E4/2. F4/32 r/32 r/16 r/8 G4/8t A4 B4");
    EXPECT_EQ(starts(tune), (Ticks{0, 720, 960, 2400, 2880, 3040, 3200}));
    EXPECT_EQ(lengths(tune), (Ticks{480, 240, 1440, 60, 160, 160, 160}));
    EXPECT_EQ(tune.parts[0].endTick, 3360);
}

TEST(Timing, StartsWithQuarterNotesAndKeepsTheLastDuration) {
    const Tune tune = parsePart("C4 D4 E4/8 F4 r G4");
    EXPECT_EQ(starts(tune), (Ticks{0, 480, 960, 1200, 1680}));
    EXPECT_EQ(lengths(tune), (Ticks{480, 480, 240, 240, 240}));
}

TEST(Timing, SoundsAChordsNotesTogether) {
    const Tune tune = parsePart("[C4 E4 G4]/2 [D4 F4]/2");
    EXPECT_EQ(starts(tune), (Ticks{0, 0, 0, 960, 960}));
    EXPECT_EQ(keys(tune), (Ticks{60, 64, 67, 62, 65}));
}

TEST(Timing, GateShortensEachNoteByAShareOfItsLength) {
    const Tune tune = parsePart("C4/4 D4/2 E4/64", "gate=75");
    EXPECT_EQ(lengths(tune), (Ticks{360, 720, 23}));
    EXPECT_EQ(starts(tune), (Ticks{0, 480, 1440}));
}

TEST(Timing, DefaultGateLeavesNinetyPercentSounding) {
    const Tune tune = parsePart("C4/4", "");
    EXPECT_EQ(lengths(tune), (Ticks{432}));
}

TEST(Timing, LengthInSecondsFollowsTheTempo) {
    const Tune tune = parseTune("tempo 150\npart p channel=1 program=1\n|: C4/1 :|x5\nend\n");
    EXPECT_EQ(tune.endTick(), 5 * 1920);
    EXPECT_DOUBLE_EQ(tune.lengthSeconds(), 8.0);
}

TEST(Ties, JoinNotesIntoOneThatSoundsAcrossBarLines) {
    const Tune tune = parsePart("C4/2 E4/2~ | E4/4~ E4/8 r/8 C4/2");
    EXPECT_EQ(starts(tune), (Ticks{0, 960, 2880}));
    EXPECT_EQ(lengths(tune), (Ticks{960, 1680, 960}));
}

TEST(Ties, LetTheGateShortenOnlyTheLastPiece) {
    const Tune tune = parsePart("C4/1~ C4/4 r/2.", "gate=50");
    EXPECT_EQ(lengths(tune), (Ticks{1920 + 240}));
}

TEST(Ties, HoldEveryNoteOfAChordThatTheNextChordRepeats) {
    const Tune tune = parsePart("[C4 E4]/4~ [C4 E4]/4 [C4 E4]");
    EXPECT_EQ(starts(tune), (Ticks{0, 0, 960, 960}));
    EXPECT_EQ(lengths(tune), (Ticks{960, 960, 480, 480}));
}

TEST(Velocities, ComeFromThePartThenVTokensAndAccentsAddTwenty) {
    const Tune tune = parsePart("C4 D4! v50 E4 F4/8! v120 G4! A4", "velocity=70 gate=100");
    EXPECT_EQ(velocities(tune), (Ticks{70, 90, 50, 70, 127, 120}));
}

TEST(Velocities, DefaultToNinety) {
    EXPECT_EQ(velocities(parsePart("C4")), (Ticks{90}));
}

TEST(Repeats, PlayTheirBarsTwiceOrAsOftenAsAsked) {
    EXPECT_EQ(starts(parsePart("|: C4/1 :| D4/1")), (Ticks{0, 1920, 3840}));
    EXPECT_EQ(starts(parsePart("|: C4/2 D4/2 :|x3")), (Ticks{0, 960, 1920, 2880, 3840, 4800}));
}

TEST(Repeats, NestInsideEachOther) {
    const Tune tune = parsePart("|: C4/1 |: D4/1 :|x3 :|");
    EXPECT_EQ(keys(tune), (Ticks{60, 62, 62, 62, 60, 62, 62, 62}));
}

TEST(Phrases, PlayWhereTheyAreNamedAndMayUseOtherPhrases) {
    const Tune tune = parseTune("tempo 120\n"
                                "phrase two\n  @one @one\nend\n"
                                "phrase one\n  C4/2\nend\n"
                                "part p channel=1 program=1\n  @two D4/1 @one @one\nend\n");
    EXPECT_EQ(keys(tune), (Ticks{60, 60, 62, 60, 60}));
    EXPECT_EQ(starts(tune), (Ticks{0, 960, 1920, 3840, 4800}));
}

TEST(Phrases, CarryTheLastDurationAcrossTheirEdges) {
    const Tune tune =
        parseTune("tempo 120\nphrase eighths\n  C4/8 D4\nend\n"
                  "part p channel=1 program=1\n  @eighths E4 F4/2 @eighths G4\nend\n");
    EXPECT_EQ(starts(tune), (Ticks{0, 240, 480, 720, 1680, 1920, 2160}));
}

TEST(ChordNames, ExpandToTheirNotesAndMixWithNotesAndDrums) {
    const Tune tune = parseTune("tempo 120\nchord f#m = F#3 A3 C#4\n"
                                "part p channel=1 program=1\n  f#m/2 [f#m E5] [kick snare]\nend\n");
    EXPECT_EQ(keys(tune), (Ticks{54, 57, 61, 54, 57, 61, 76, 36, 38}));
}

TEST(Header, SetsTitleTempoTimeAndKey) {
    const Tune tune = parseTune("title A Fine Tune\ntempo 96\ntime 6/8\nkey Ebm\n"
                                "part p channel=1 program=1\n  C4/4. D4 | E4/2.\nend\n");
    EXPECT_EQ(tune.title, "A Fine Tune");
    EXPECT_EQ(tune.tempo, 96);
    EXPECT_EQ(tune.time.numerator, 6);
    EXPECT_EQ(tune.time.denominator, 8);
    EXPECT_EQ(tune.key.sharps, -6);
    EXPECT_TRUE(tune.key.minor);
    EXPECT_EQ(tune.endTick(), 2 * 1440);
}

TEST(Header, DefaultsToFourFourInCMajor) {
    const Tune tune = parsePart("C4/1");
    EXPECT_EQ(tune.time.numerator, 4);
    EXPECT_EQ(tune.time.denominator, 4);
    EXPECT_EQ(tune.key.sharps, 0);
    EXPECT_FALSE(tune.key.minor);
}

TEST(Parts, KeepTheirSettingsInFileOrder) {
    const Tune tune =
        parseTune("tempo 120\n"
                  "part lead channel=3 program=81 volume=90 pan=20 reverb=70\n  C4/1\nend\n"
                  "part drums channel=10\n  kick/1\nend\n");
    ASSERT_EQ(tune.parts.size(), 2u);
    const auto& lead = tune.parts[0];
    EXPECT_EQ(lead.name, "lead");
    EXPECT_EQ(lead.channel, 3);
    EXPECT_EQ(lead.program, 81);
    EXPECT_EQ(lead.volume, 90);
    EXPECT_EQ(lead.pan, 20);
    EXPECT_EQ(lead.reverb, 70);
    EXPECT_EQ(tune.parts[1].name, "drums");
    EXPECT_FALSE(tune.parts[1].program);
}

TEST(Source, IgnoresCommentsBlankLinesAndWindowsLineEnds) {
    const Tune tune =
        parseTune("# a tune\r\n\r\ntempo 120 # fast enough\r\n"
                  "part p channel=1 program=1\r\n  C#4/1 # sharp, not a comment\r\nend\r\n");
    EXPECT_EQ(keys(tune), (Ticks{61}));
}

namespace {

struct BadSource {
    const char* what;
    std::string source;
    int line;
    std::string message;
};

const std::string part = "part p channel=1 program=1\n";

} // namespace

TEST(Errors, NameTheLineAtFault) {
    const BadSource cases[] = {
        {"unknown keyword", "tempo 120\ntempos 3\n", 2, "'tempos' is not title"},
        {"missing tempo", part + "C4\nend\n", 0, "no 'tempo'"},
        {"tempo out of range", "tempo 1000\n", 1, "the tempo must be a number from 20 to 400"},
        {"tempo given twice", "tempo 120\ntempo 130\n", 2, "'tempo' is given twice"},
        {"bad time signature", "tempo 120\ntime 4/3\n", 2, "the beat of a time signature"},
        {"bad key", "tempo 120\nkey H\n", 2, "'H' is not a key"},
        {"no parts", "tempo 120\n", 0, "no parts"},
        {"bad note", "tempo 120\n" + part + "C4 D4\nH4 E4\nend\n", 4, "'H4' is not a note"},
        {"note out of range", "tempo 120\n" + part + "G#9\nend\n", 3, "outside the MIDI range"},
        {"bad duration", "tempo 120\n" + part + "C4/3\nend\n", 3, "'3' is not a duration"},
        {"bad suffix", "tempo 120\n" + part + "C4/4~~\nend\n", 3, "unexpected '~'"},
        {"short bar", "tempo 120\n" + part + "C4/1 |\nC4/2 C4/4 |\nend\n", 4, "after 3 beats"},
        {"long bar", "tempo 120\n" + part + "C4/1 C4/8 |\nend\n", 3, "after 4.5 beats"},
        {"broken tie", "tempo 120\n" + part + "C4/2~\nD4/2\nend\n", 4, "C4 is tied"},
        {"tie into rest", "tempo 120\n" + part + "C4/2~ r/2\nend\n", 3, "C4 is tied"},
        {"tie at end", "tempo 120\n" + part + "C4/2\nC4/2~\nend\n", 4, "tied at the very end"},
        {"tied rest", "tempo 120\n" + part + "r/2~\nend\n", 3, "a rest cannot be tied"},
        {"velocity zero", "tempo 120\n" + part + "v0 C4\nend\n", 3, "'v0' is not from v1"},
        {"note twice in a chord", "tempo 120\n" + part + "[C4 E4 C4]\nend\n", 3, "C4 sounds twice"},
        {"unclosed chord", "tempo 120\n" + part + "[C4 E4\nend\n", 3, "without a closing ']'"},
        {"unknown chord name", "tempo 120\n" + part + "C4 cmaj\nend\n", 3, "'cmaj' is not a note"},
        {"unknown phrase", "tempo 120\n" + part + "@nowhere\nend\n", 3, "no phrase is called"},
        {"phrase using itself",
         "tempo 120\nphrase a\n@b\nend\nphrase b\nC4 @a\nend\n" + part + "@a\nend\n", 6,
         "'a' ends up playing itself"},
        {"repeat never opened", "tempo 120\n" + part + "C4/1 :|\nend\n", 3, "without a '|:'"},
        {"repeat never closed", "tempo 120\n" + part + "C4/1\n|: C4/1\nend\n", 4, "never closed"},
        {"bad repeat count", "tempo 120\n" + part + "|: C4/1 :|x1\nend\n", 3, "N from 2 to 99"},
        {"part without end", "tempo 120\n" + part + "C4\n", 2, "has no 'end'"},
        {"part inside part", "tempo 120\n" + part + "C4\n" + part + "end\n", 4, "needs 'end'"},
        {"empty part", "tempo 120\n" + part + "end\n", 2, "has no music"},
        {"missing channel", "tempo 120\npart p program=1\nC4\nend\n", 2, "needs a channel"},
        {"missing program", "tempo 120\npart p channel=1\nC4\nend\n", 2, "needs a program"},
        {"program for drums", "tempo 120\npart d channel=10 program=1\nkick\nend\n", 2,
         "takes no program"},
        {"unknown setting", "tempo 120\npart p channel=1 colour=3\nC4\nend\n", 2,
         "'colour' is not a part setting"},
        {"channel reused", "tempo 120\n" + part + "C4\nend\npart q channel=1 program=2\nC4\nend\n",
         5, "already played by part 'p'"},
        {"parts of different lengths",
         "tempo 120\n" + part + "C4/1\nend\npart q channel=2 program=2\nC4/2\nend\n", 5,
         "'q' lasts 2 beats but part 'p' lasts 4 beats"},
        {"chord named like a drum", "tempo 120\nchord kick = C4\n", 2, "already a drum name"},
        {"chord named like a velocity", "tempo 120\nchord v7 = C4\n", 2, "cannot name a chord"},
        {"chord defined twice", "tempo 120\nchord c = C4\nchord c = D4\n", 3, "defined twice"},
    };
    for (const BadSource& bad : cases) {
        try {
            parseTune(bad.source);
            ADD_FAILURE() << bad.what << ": no error";
        } catch (const TuneError& error) {
            EXPECT_EQ(error.line(), bad.line) << bad.what << ": " << error.what();
            EXPECT_NE(std::string(error.what()).find(bad.message), std::string::npos)
                << bad.what << ": " << error.what();
        }
    }
}
