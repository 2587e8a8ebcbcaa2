// The sequencer device over FluidSynth: tunes through the desktop's audio output, or offline.
#pragma once

#include "fluidsynthoptions.h"
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

class FluidSynthEngine;

// Called on the UI thread only. The constructor returns at once: the SoundFont loads on a thread
// of its own, and a play asked for before it is ready starts when it is. Every failure is one
// line on stderr and otherwise silence.
class FluidSynthSequencer final : public SequencerDevice {
public:
    explicit FluidSynthSequencer(FluidSynthOptions options = {});
    ~FluidSynthSequencer() override;
    FluidSynthSequencer(const FluidSynthSequencer&) = delete;
    FluidSynthSequencer& operator=(const FluidSynthSequencer&) = delete;

    bool open(const std::string& fileName) override;
    bool play(Completion completed) override;
    void stop() override;
    void close() override;

    // Blocks until the SoundFont and the audio output are ready, or have failed.
    void waitUntilReady();
    // Offline mode only (nothing otherwise): renders the next stretch of sound now, faster than
    // real time, at sampleRate() frames a second.
    std::vector<StereoFrame> renderOffline(std::chrono::milliseconds length);
    int sampleRate() const { return frameRate; }

private:
    // Touched on the UI thread only. A posted end is delivered only if its play is still this one.
    struct CurrentPlay {
        std::uint64_t id = 0;
        Completion completed;
    };

    void forgetCurrentPlay();
    // On the synth thread.
    void postEnd(std::uint64_t playId) const;

    const std::function<void(std::function<void()>)> postToUiThread;
    const int frameRate;
    const std::shared_ptr<CurrentPlay> currentPlay;
    const std::weak_ptr<CurrentPlay> watchedPlay;
    std::optional<std::string> openTune;
    std::set<std::string> reportedRefusals;
    // Last, so it goes first: its threads call postEnd.
    std::unique_ptr<FluidSynthEngine> engine;
};

} // namespace tanzel
