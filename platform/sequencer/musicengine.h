// The synthesizer behind the sequencer device, which the game loads as a plugin once its first
// window is on screen, so that FluidSynth and its libraries cost the start-up nothing.
#pragma once

#include "musicoptions.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace tanzel {

class MusicEngine {
public:
    // Told, on the synth thread, that the play `playId` reached the end of the tune.
    using EndReport = std::function<void(std::uint64_t playId)>;

    virtual ~MusicEngine() = default;

    // Replaces the tune; the bytes must already be a checked MIDI file.
    virtual void load(std::string name, std::vector<unsigned char> midiBytes) = 0;
    virtual void unload() = 0;
    // Plays from the current position once the start delay of sound has been rendered, or
    // reports the end at once when the tune is already there.
    virtual void start(std::uint64_t playId) = 0;
    virtual void pause() = 0;
    // Blocks until the SoundFont and the audio output are ready, or have failed.
    virtual void waitUntilReady() = 0;
    // Offline only: renders the next frames now.
    virtual std::vector<StereoFrame> render(std::size_t frames) = 0;
};

using MusicEngineFactory =
    std::function<std::unique_ptr<MusicEngine>(MusicOptions, MusicEngine::EndReport)>;

// The plugin's one entry point: a function of type MakeMusicEngine under this name.
inline constexpr char MakeMusicEngineSymbol[] = "tanzel_make_music_engine";
using MakeMusicEngine = void (*)(std::unique_ptr<MusicEngine>& made, MusicOptions options,
                                 MusicEngine::EndReport reportEnd);

} // namespace tanzel
