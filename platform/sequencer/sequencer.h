// The sequencer device over a music engine: tunes through the desktop's audio output, or offline.
#pragma once

#include "musicengine.h"
#include "pendingengine.h"
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
class Sequencer final : public SequencerDevice {
public:
    explicit Sequencer(MusicOptions options);
    Sequencer(MusicOptions options, const MusicEngineFactory& makeEngine);
    ~Sequencer() override;
    Sequencer(const Sequencer&) = delete;
    Sequencer& operator=(const Sequencer&) = delete;

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

    void forgetCurrentPlay();
    // Starts or pauses the engine as `playing` and `held` now say.
    void soundAsAsked();
    // On the synth thread.
    void postEnd(std::uint64_t playId) const;

    const MusicOptions options;
    const std::shared_ptr<CurrentPlay> currentPlay;
    const std::weak_ptr<CurrentPlay> watchedPlay;
    std::optional<std::string> openTune;
    std::set<std::string> reportedRefusals;
    bool playing = false;
    bool held = false;
    // Asked in the engine's stead until the engine comes.
    std::unique_ptr<PendingEngine> pending = std::make_unique<PendingEngine>();
    // Last, so it goes first: its threads call postEnd.
    std::unique_ptr<MusicEngine> attached;
    MusicEngine* engine = pending.get();
};

} // namespace tanzel
