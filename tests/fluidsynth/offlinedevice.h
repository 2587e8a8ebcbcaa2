// A test fixture: an offline device whose completions go through a stand-in UI queue, rendered in
// small steps with the queue drained after each, as a UI thread would see it.
#pragma once

#include "loudness.h"
#include "platform/fluidsynth/fluidsynthsequencer.h"
#include "smfbytes.h"
#include "tempfolder.h"
#include "uiqueue.h"

#include <chrono>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace tanzel::test {

using namespace std::chrono_literals;

class OfflineDevice : public ::testing::Test {
protected:
    static constexpr std::chrono::milliseconds step = 10ms;
    static constexpr std::chrono::milliseconds window = 250ms;
    static constexpr std::chrono::milliseconds beat = 500ms;
    // A fifth of a held organ note of the test tunes (about 0.015), far above rounding noise.
    static constexpr double audible = 0.003;
    // Peak of silence: FluidSynth's output idles at about 3e-8, never quite zero.
    static constexpr float silent = 1e-6f;

    // Writes heldMelody(beats) into the test's folder and returns its path.
    std::string tune(int beats, std::string_view name = "tune.mid");
    SequencerDevice::Completion recordCompletion();
    // Renders `length` more, in steps, delivering what the device posts after each step.
    void render(std::chrono::milliseconds length);
    // Renders `length` more without delivering anything, as when the UI thread is busy.
    void renderUndelivered(std::chrono::milliseconds length);
    std::chrono::milliseconds elapsed() const;
    // Loudness of each window of the sound rendered between the two times.
    std::vector<double> loudness(std::chrono::milliseconds from, std::chrono::milliseconds to,
                                 std::chrono::milliseconds windowLength = window) const;
    std::vector<StereoFrame> soundSince(std::chrono::milliseconds from) const;

    TempFolder folder;
    UiQueue ui;
    // Built at the start of each test: its plays are asked for while the SoundFont still loads.
    FluidSynthSequencer device{
        {.mode = FluidSynthOptions::Mode::Offline, .postToUiThread = ui.poster()}};
    std::vector<StereoFrame> sound;
    // When each completion ran, in rendered time.
    std::vector<std::chrono::milliseconds> completions;

private:
    std::size_t frames(std::chrono::milliseconds length) const;
};

} // namespace tanzel::test
