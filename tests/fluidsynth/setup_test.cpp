// Set-up failures (no SoundFont, a broken one, no audio output): silence, one line, never a crash.
#include "loudness.h"
#include "platform/fluidsynth/fluidsynthsequencer.h"
#include "smfbytes.h"
#include "stderrcapture.h"
#include "tempfolder.h"
#include "uiqueue.h"

#include <gtest/gtest.h>

namespace tanzel::test {
namespace {

using namespace std::chrono_literals;

// Plays a one-beat tune on the device and returns how many completions it delivered.
int playOneBeat(FluidSynthSequencer& device, UiQueue& ui, const TempFolder& folder,
                std::vector<StereoFrame>* sound = nullptr) {
    writeFile(folder / "tune.mid", midiFile({heldMelody(1)}));
    int completions = 0;
    EXPECT_TRUE(device.open((folder / "tune.mid").string()));
    EXPECT_TRUE(device.play([&] { ++completions; }));
    std::vector<StereoFrame> rendered = device.renderOffline(1s);
    ui.drain();
    device.close();
    if (sound)
        *sound = std::move(rendered);
    return completions;
}

TEST(SetUp, WithoutTheSoundFontTunesPlayInSilence) {
    TempFolder folder;
    UiQueue ui;
    StderrCapture capture;
    FluidSynthSequencer device({.soundFont = folder / "missing.sf2",
                                .mode = FluidSynthOptions::Mode::Offline,
                                .postToUiThread = ui.poster()});
    std::vector<StereoFrame> sound;
    EXPECT_EQ(playOneBeat(device, ui, folder, &sound), 0);
    EXPECT_EQ(sound.size(), std::size_t(device.sampleRate()));
    EXPECT_EQ(peak(sound), 0.0f);
    EXPECT_EQ(capture.lines(),
              std::vector<std::string>{"tanzel-punch: music off: no SoundFont at " +
                                       (folder / "missing.sf2").string()});
}

TEST(SetUp, ABrokenSoundFontIsReportedInOneLineOfOurOwn) {
    TempFolder folder;
    UiQueue ui;
    writeFile(folder / "broken.sf2",
              Bytes{'R', 'I', 'F', 'F', 0x10, 0, 0, 0, 's', 'f', 'b', 'k', 1, 2});
    StderrCapture capture;
    FluidSynthSequencer device({.soundFont = folder / "broken.sf2",
                                .mode = FluidSynthOptions::Mode::Offline,
                                .postToUiThread = ui.poster()});
    EXPECT_EQ(playOneBeat(device, ui, folder), 0);
    EXPECT_EQ(capture.lines(), std::vector<std::string>{
                                   "tanzel-punch: music off: " + (folder / "broken.sf2").string() +
                                   ": not a usable SoundFont"});
}

TEST(SetUp, WithoutAnAudioOutputTunesPlayInSilence) {
    TempFolder folder;
    UiQueue ui;
    StderrCapture capture;
    FluidSynthSequencer device(
        {.audioDrivers = {"no-such-driver", "neither-this-one"}, .postToUiThread = ui.poster()});
    device.waitUntilReady();
    EXPECT_EQ(playOneBeat(device, ui, folder), 0);
    EXPECT_EQ(
        capture.lines(),
        std::vector<std::string>{
            "tanzel-punch: music off: no audio output (tried no-such-driver, neither-this-one)"});
}

// Whatever this machine has for sound, FluidSynth and ALSA keep quiet about it.
TEST(SetUp, LiveAudioPrintsAtMostOneLineOfOurOwn) {
    StderrCapture capture;
    {
        FluidSynthSequencer device;
        device.waitUntilReady();
    }
    const std::vector<std::string> lines = capture.lines();
    EXPECT_LE(lines.size(), 1u);
    for (const std::string& line : lines)
        EXPECT_EQ(line.rfind("tanzel-punch: music off: ", 0), 0u) << line;
}

} // namespace
} // namespace tanzel::test
