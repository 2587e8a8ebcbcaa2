// A whole program on the headless host: the title window up, ready to play.
#pragma once

#include "forms/form1.h"
#include "layout/designs.h"
#include "platform/application.h"
#include "platform/headless/headlesshost.h"
#include "recordingsequencer.h"
#include "forms/form2.h"
#include "forms/form3.h"
#include "scriptedrandom.h"

#include <optional>
#include <string>

namespace tanzel::test {

// Spawns draw from `random`, a script, unless the game is given a seed for a real generator.
struct HeadlessGame {
    HeadlessHost host;
    RecordingSequencer sequencer;
    ScriptedRandom random;
    EngineRandom seeded;
    Application app;

    explicit HeadlessGame(std::optional<std::uint64_t> seed = std::nullopt)
        : seeded(seed.value_or(0))
        , app(host, sequencer, seed ? static_cast<RandomSource&>(seeded) : random,
              std::string(layout::ApplicationTitle)) {
        host.attach(app);
        sequencer.watch(app);
        app.start<Form2>();
    }

    Form1& game() { return app.form<Form1>(); }
    Form2& title() { return app.form<Form2>(); }
    Form3& gameOver() { return app.form<Form3>(); }

    // Clicks "Jugar" and leaves the media log empty.
    Form1& play() {
        host.click(title(), "Command1");
        sequencer.takeLog();
        return game();
    }
    void tick(int count = 1) { host.advance(50 * count); }
};

} // namespace tanzel::test
