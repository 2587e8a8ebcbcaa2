// Files that are not playable tunes: open refuses each with one line on stderr and stays usable.
#include "platform/fluidsynth/fluidsynthsequencer.h"
#include "smfbytes.h"
#include "stderrcapture.h"
#include "tempfolder.h"
#include "uiqueue.h"

#include <functional>
#include <gtest/gtest.h>
#include <random>

namespace tanzel::test {
namespace {

namespace fs = std::filesystem;

struct BrokenFile {
    std::string name;
    std::function<void(const fs::path&)> make;
    std::string problem;
};

// Names the case in gtest's messages instead of dumping its bytes.
void PrintTo(const BrokenFile& file, std::ostream* out) {
    *out << file.name;
}

class OpenRefuses : public ::testing::TestWithParam<BrokenFile> {};

TEST_P(OpenRefuses, WithOneLineOnStderrAndTheDeviceStaysUsable) {
    TempFolder folder;
    UiQueue ui;
    FluidSynthSequencer device(
        {.mode = FluidSynthOptions::Mode::Offline, .postToUiThread = ui.poster()});
    device.waitUntilReady();
    const fs::path path = folder / "music.mid";
    GetParam().make(path);

    StderrCapture capture;
    EXPECT_FALSE(device.open(path.string()));
    EXPECT_EQ(capture.lines(), std::vector<std::string>{"tanzel-punch: music off: " +
                                                        path.string() + ": " + GetParam().problem});

    const fs::path good = folder / "good.mid";
    writeFile(good, midiFile({heldMelody(1)}));
    EXPECT_TRUE(device.open(good.string()));
    int completions = 0;
    EXPECT_TRUE(device.play([&] { ++completions; }));
    device.renderOffline(std::chrono::milliseconds(700));
    ui.drain();
    EXPECT_EQ(completions, 1);
}

Bytes randomBytes(std::size_t count) {
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> byte(0, 255);
    Bytes bytes(count);
    for (unsigned char& b : bytes)
        b = static_cast<unsigned char>(byte(generator));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    BrokenFiles, OpenRefuses,
    ::testing::Values(
        BrokenFile{"Missing", [](const fs::path&) {}, "no such file"},
        BrokenFile{"Empty", [](const fs::path& path) { writeFile(path, {}); }, "empty file"},
        BrokenFile{"Truncated",
                   [](const fs::path& path) {
                       Bytes whole = midiFile({heldMelody(8)});
                       writeFile(path, Bytes(whole.begin(), whole.begin() + 40));
                   },
                   "broken MIDI file (chunk runs past the end of the file)"},
        BrokenFile{"RandomBytes", [](const fs::path& path) { writeFile(path, randomBytes(3000)); },
                   "not a MIDI file"},
        BrokenFile{"LyingTrackLength",
                   [](const fs::path& path) {
                       writeFile(path, header(0, 1) +
                                           Bytes{'M', 'T', 'r', 'k', 0x7f, 0xff, 0xff, 0xff} +
                                           heldMelody(2));
                   },
                   "broken MIDI file (chunk runs past the end of the file)"},
        BrokenFile{"Folder", [](const fs::path& path) { fs::create_directory(path); },
                   "is a folder, not a MIDI file"},
        BrokenFile{"HundredMegabytes",
                   [](const fs::path& path) {
                       writeFile(path, midiFile({heldMelody(2)}));
                       // Sparse: costs no disk, and must not be read to be refused.
                       fs::resize_file(path, 100 * 1024 * 1024);
                   },
                   "too large (104857600 bytes; a tune has at most 4194304)"}),
    [](const ::testing::TestParamInfo<BrokenFile>& file) { return file.param.name; });

} // namespace
} // namespace tanzel::test
