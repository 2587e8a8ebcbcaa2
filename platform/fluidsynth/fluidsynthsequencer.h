// The sequencer device over FluidSynth: tunes through the desktop's audio output, or offline.
#pragma once

#include "musicengine.h"
#include "platform/sequencerdevice.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tanzel {

// Called on the UI thread only. It works from the start without its engine, keeping what it is
// asked to play until the engine is attached; the engine loads its SoundFont on a thread of its
// own, and a play asked for before it is ready starts when it is. Every failure is one line on
// stderr and otherwise silence.
class FluidSynthSequencer final : public SequencerDevice {
public:
    explicit FluidSynthSequencer(FluidSynthOptions options);
    FluidSynthSequencer(FluidSynthOptions options, const MusicEngineFactory& makeEngine);
    ~FluidSynthSequencer() override;
    FluidSynthSequencer(const FluidSynthSequencer&) = delete;
    FluidSynthSequencer& operator=(const FluidSynthSequencer&) = delete;

    bool open(const std::string& fileName) override;
    bool play(Completion completed) override;
    void stop() override;
    void close() override;
    void hold(bool held) override;

    // Makes the engine, once, and hands it the tune that is open and whether it plays.
    void attachEngine(const MusicEngineFactory& makeEngine);

    // Blocks until the SoundFont and the audio output are ready, or have failed; at once when
    // there is no engine.
    void waitUntilReady();
    // Offline mode only (nothing otherwise, nor without an engine): renders the next stretch of
    // sound now, faster than real time, at sampleRate() frames a second.
    std::vector<StereoFrame> renderOffline(std::chrono::milliseconds length);
    int sampleRate() const { return options.sampleRate; }

private:
    // Touched on the UI thread only. A posted end is delivered only if its play is still this one.
    struct CurrentPlay {
        std::uint64_t id = 0;
        Completion completed;
    };

    // What the engine will be handed when it is attached.
    struct WaitingTune {
        std::vector<unsigned char> bytes;
        bool playing = false;
    };

    void forgetCurrentPlay();
    // Starts or pauses the engine (or the waiting tune) as `playing` and `held` now say.
    void soundAsAsked();
    // On the synth thread.
    void postEnd(std::uint64_t playId) const;

    const FluidSynthOptions options;
    const std::shared_ptr<CurrentPlay> currentPlay;
    const std::weak_ptr<CurrentPlay> watchedPlay;
    std::optional<std::string> openTune;
    std::optional<WaitingTune> waitingTune;
    std::set<std::string> reportedRefusals;
    bool playing = false;
    bool held = false;
    // Last, so it goes first: its threads call postEnd.
    std::unique_ptr<MusicEngine> engine;
};

} // namespace tanzel
