// The whole program on the headless host with the real FluidSynth device, rendering offline.
#pragma once

#include "forms/form1.h"
#include "layout/designs.h"
#include "platform/application.h"
#include "platform/fluidsynth/fluidsynthsequencer.h"
#include "platform/headless/headlesshost.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "uiqueue.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace tanzel::test {

// Has HeadlessGame's members, so RandomPlayer plays it. Every tick renders the tick's 50 ms of
// sound and then delivers what the device posted, as the UI thread would; the loudest sample
// heard is kept apart for the title and for the game.
struct MusicProgram {
    // The title tune stops on "Jugar" but its reverb rings on for about a second: what the game
    // itself sounds like is heard from then on.
    static constexpr std::chrono::milliseconds reverbTail{1500};

    HeadlessHost host;
    UiQueue ui;
    FluidSynthSequencer sequencer{
        {.mode = FluidSynthOptions::Mode::Offline, .postToUiThread = ui.poster()}};
    EngineRandom random;
    Application app;
    float titlePeak = 0;
    float gamePeak = 0;
    std::chrono::milliseconds inGame{0};

    explicit MusicProgram(std::uint64_t seed)
        : random(seed)
        , app(host, sequencer, random, std::string(layout::ApplicationTitle)) {
        host.attach(app);
        app.start<Form2>();
    }

    Form1& game() { return app.form<Form1>(); }
    Form2& title() { return app.form<Form2>(); }
    Form3& gameOver() { return app.form<Form3>(); }

    void tick(int count = 1) {
        for (int i = 0; i < count; ++i) {
            host.advance(50);
            listen(std::chrono::milliseconds(50));
        }
    }

    void listen(std::chrono::milliseconds length) {
        using namespace std::chrono_literals;
        inGame = app.isLoaded<Form1>() ? inGame + length : 0ms;
        const std::vector<StereoFrame> sound = sequencer.renderOffline(length);
        ui.drain();
        float* peak = inGame == 0ms ? &titlePeak : inGame > reverbTail ? &gamePeak : nullptr;
        if (!peak)
            return;
        for (const StereoFrame& frame : sound)
            *peak = std::max({*peak, std::abs(frame.left), std::abs(frame.right)});
    }
};

} // namespace tanzel::test
