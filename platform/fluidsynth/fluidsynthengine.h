// FluidSynth's synthesizer, audio output and MIDI player, shared between the UI and synth threads.
#pragma once

#include "fluidhandles.h"
#include "platform/sequencer/musicengine.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace tanzel {

// Sets itself up on a thread of its own (a SoundFont takes a while to load), then renders on the
// synth thread: the audio driver's, or the caller of render() offline. FluidSynth must not create
// or delete a player while it renders, so one lock covers rendering and every change to the tune;
// the player's tick callback runs inside rendering, with that lock already held.
//
// Live, the audio output is closed once nothing has sounded for a while and opened again when a
// tune starts: an open output wakes its threads tens of times a second even to play silence.
// The same thread that set everything up opens and closes it, since a driver cannot be deleted
// from its own thread and opening one may take a while.
class FluidSynthEngine final : public MusicEngine {
public:
    // The end is reported with the engine's lock held.
    FluidSynthEngine(MusicOptions options, EndReport reportEnd);
    ~FluidSynthEngine() override;
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    void load(std::string name, std::vector<unsigned char> midiBytes) override;
    void unload() override;
    void start(std::uint64_t playId) override;
    void pause() override;
    void waitUntilReady() override;
    std::vector<StereoFrame> render(std::size_t frames) override;

private:
    struct Tune {
        std::string name;
        std::vector<unsigned char> bytes;
        PlayerHandle player;
        std::uint64_t playId = 0;
        std::optional<long> framesUntilStart;
        std::optional<int> totalTicks;
        bool playing = false;
        bool reachedEnd = false;
    };

    void setUp();
    // Opens and closes the output as `outputWanted` says, until the engine is destroyed.
    void keepOutput();
    // Reports what went wrong, if anything, and says whether all of it is ready.
    bool prepare(SettingsHandle& newSettings, AudioDriverHandle& newDriver, SynthHandle& newSynth);
    AudioDriverHandle openAudioOutput(fluid_settings_t* audioSettings);
    void publish(SettingsHandle newSettings, SynthHandle newSynth, AudioDriverHandle newDriver);
    // The members below are guarded by `mutex`, which these functions expect to be held.
    void dropTune();
    void renderBlock(float* left, float* right, int frames);
    // Closes the output once nothing has played or sounded for a while.
    void noteSilence(const float* left, const float* right, int frames);
    void beginPlayback();
    bool createPlayer();
    void tickReached(int tick);

    static int renderAudio(void* engine, int frames, int, float*[], int outputs, float* out[]);
    static int onTick(void* engine, int tick);

    const MusicOptions options;
    const EndReport reportEnd;
    std::mutex mutex;
    std::condition_variable settled;
    std::condition_variable outputChanged;
    bool setUpDone = false;
    bool outputWanted = false;
    bool stopping = false;
    bool outputLossReported = false;
    long silentFrames = 0;
    SettingsHandle settings;
    SynthHandle synth;
    AudioDriverHandle driver;
    std::optional<Tune> tune;
    std::thread outputThread;
};

} // namespace tanzel
