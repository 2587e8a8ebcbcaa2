// The whole program with broken tunes in its folder: it plays whole games in silence and says so
// once on stderr for each broken file.
#include "musicprogram.h"
#include "smfbytes.h"
#include "stderrcapture.h"
#include "support/randomplayer.h"
#include "tempfolder.h"
#include "workingfolder.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>
#include <random>

namespace tanzel::test {
namespace {

namespace fs = std::filesystem;

// Far below the quietest stretch of either tune, far above FluidSynth's idle noise.
constexpr float audible = 1e-3F;
// FluidSynth's reverb keeps an offset of about 1e-8 against denormals.
constexpr float silent = 1e-6F;

Bytes readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Bytes builtTune(std::string_view name) {
    return readFile(fs::path(TANZEL_RUN_DIR) / name);
}

struct Breakage {
    std::string name;
    // Turns a tune already in place into the broken file.
    std::function<void(const fs::path&)> apply;
};

void PrintTo(const Breakage& breakage, std::ostream* out) {
    *out << breakage.name;
}

const Breakage breakages[] = {
    {"Missing", [](const fs::path& path) { fs::remove(path); }},
    {"Empty", [](const fs::path& path) { writeFile(path, {}); }},
    {"Truncated",
     [](const fs::path& path) {
         const Bytes whole = readFile(path);
         writeFile(path, Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2)));
     }},
    {"RandomBytes",
     [](const fs::path& path) {
         std::mt19937 generator(1206);
         Bytes noise(4096);
         std::generate(noise.begin(), noise.end(),
                       [&] { return static_cast<unsigned char>(generator()); });
         writeFile(path, noise);
     }},
    {"LyingTrackLength",
     [](const fs::path& path) {
         writeFile(path, header(0, 1) + Bytes{'M', 'T', 'r', 'k', 0x7f, 0xff, 0xff, 0xff} +
                             heldMelody(4));
     }},
    {"Folder",
     [](const fs::path& path) {
         fs::remove(path);
         fs::create_directory(path);
     }},
    // Sparse: it costs no disk, and must not be read to be refused.
    {"HundredMegabytes", [](const fs::path& path) { fs::resize_file(path, 100 * 1024 * 1024); }},
};

// A folder holding both built tunes, as `make run` starts the game in, broken as asked.
class TuneFolder {
public:
    TuneFolder() {
        for (std::string_view name : {"present.mid", "music.mid"})
            writeFile(folder / name, builtTune(name));
    }
    fs::path operator/(std::string_view name) const { return folder / name; }

private:
    TempFolder folder;
};

struct Outcome {
    std::vector<std::string> stderrLines;
    float titlePeakBefore = 0;
    float gamePeak = 0;
    float titlePeakAfter = 0;
    std::string broken;
};

// Starts the program in the folder, listens to the title, plays two whole games (each opens the
// game tune afresh), then listens to the title they come back to.
Outcome playTwoGames(const TuneFolder& tunes) {
    Outcome outcome;
    WorkingFolder inside(tunes / ".");
    StderrCapture capture;
    {
        MusicProgram program(7);
        program.listen(std::chrono::seconds(2));
        outcome.titlePeakBefore = program.titlePeak;
        RandomPlayer player(11, {.keyChance = 0.05, .maxBurst = 2, .skill = 0.3});
        outcome.broken = player.playGame(program);
        if (outcome.broken.empty())
            outcome.broken = player.playGame(program);
        outcome.gamePeak = program.gamePeak;
        program.titlePeak = 0;
        program.listen(std::chrono::seconds(2));
        outcome.titlePeakAfter = program.titlePeak;
    }
    outcome.stderrLines = capture.lines();
    return outcome;
}

TEST(WholeProgramWithItsTunes, PlaysTheTitleAndTheGameTuneWithoutAWord) {
    ASSERT_TRUE(fs::exists(fs::path(TANZEL_RUN_DIR) / "music.mid")) << "tunes not built";
    TuneFolder tunes;
    const Outcome outcome = playTwoGames(tunes);
    EXPECT_EQ(outcome.broken, "");
    EXPECT_EQ(outcome.stderrLines, std::vector<std::string>{});
    EXPECT_GT(outcome.titlePeakBefore, audible);
    EXPECT_GT(outcome.gamePeak, audible);
    EXPECT_GT(outcome.titlePeakAfter, audible);
}

class BrokenGameTune : public ::testing::TestWithParam<Breakage> {};

TEST_P(BrokenGameTune, LeavesWholeGamesSilentAndIsReportedOnce) {
    TuneFolder tunes;
    GetParam().apply(tunes / "music.mid");
    const Outcome outcome = playTwoGames(tunes);
    EXPECT_EQ(outcome.broken, "");
    ASSERT_EQ(outcome.stderrLines.size(), 1U) << ::testing::PrintToString(outcome.stderrLines);
    EXPECT_TRUE(outcome.stderrLines[0].starts_with("tanzel-punch: music off: music.mid: "))
        << outcome.stderrLines[0];
    EXPECT_GT(outcome.titlePeakBefore, audible);
    EXPECT_LT(outcome.gamePeak, silent);
    EXPECT_GT(outcome.titlePeakAfter, audible);
}

class BrokenTunes : public ::testing::TestWithParam<Breakage> {};

TEST_P(BrokenTunes, LeaveTheWholeProgramSilentAndAreReportedOnceEach) {
    TuneFolder tunes;
    GetParam().apply(tunes / "present.mid");
    GetParam().apply(tunes / "music.mid");
    const Outcome outcome = playTwoGames(tunes);
    EXPECT_EQ(outcome.broken, "");
    EXPECT_LT(std::max({outcome.titlePeakBefore, outcome.gamePeak, outcome.titlePeakAfter}),
              silent);
    const auto mentions = [&](std::string_view name) {
        return std::count_if(
            outcome.stderrLines.begin(), outcome.stderrLines.end(), [&](const std::string& line) {
                return line.starts_with("tanzel-punch: music off: " + std::string(name) + ": ");
            });
    };
    EXPECT_EQ(mentions("present.mid"), 1) << ::testing::PrintToString(outcome.stderrLines);
    EXPECT_EQ(mentions("music.mid"), 1) << ::testing::PrintToString(outcome.stderrLines);
    EXPECT_EQ(outcome.stderrLines.size(), 2U);
}

std::string breakageName(const ::testing::TestParamInfo<Breakage>& breakage) {
    return breakage.param.name;
}

INSTANTIATE_TEST_SUITE_P(Files, BrokenGameTune, ::testing::ValuesIn(breakages), breakageName);
INSTANTIATE_TEST_SUITE_P(Files, BrokenTunes, ::testing::ValuesIn(breakages), breakageName);

} // namespace
} // namespace tanzel::test
