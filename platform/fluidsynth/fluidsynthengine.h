// FluidSynth's synthesizer, audio output and MIDI player, shared between the UI and synth threads.
#pragma once

#include "fluidhandles.h"
#include "fluidsynthoptions.h"

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
class FluidSynthEngine {
public:
    // Told, with the engine's lock held, that the play `playId` reached the end of the tune.
    using EndReport = std::function<void(std::uint64_t playId)>;

    FluidSynthEngine(FluidSynthOptions options, EndReport reportEnd);
    ~FluidSynthEngine();
    FluidSynthEngine(const FluidSynthEngine&) = delete;
    FluidSynthEngine& operator=(const FluidSynthEngine&) = delete;

    // Replaces the tune; the bytes must already be a checked MIDI file.
    void load(std::string name, std::vector<unsigned char> midiBytes);
    void unload();
    // Plays from the current position once startDelay of sound has been rendered, or reports the
    // end at once when the tune is already there.
    void start(std::uint64_t playId);
    void pause();

    void waitUntilReady();
    // Offline only: renders the next frames now.
    std::vector<StereoFrame> render(std::size_t frames);

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
    void noteSilence(int frames);
    void beginPlayback();
    bool createPlayer();
    void tickReached(int tick);

    static int renderAudio(void* engine, int frames, int, float*[], int outputs, float* out[]);
    static int onTick(void* engine, int tick);

    const FluidSynthOptions options;
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
