// Sets up FluidSynth off the UI thread and drives its player from whichever thread renders.
#include "fluidsynthengine.h"

#include "librarychatter.h"
#include "platform/sequencer/problemreport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <malloc.h>
#include <utility>

namespace tanzel {

namespace {

// How the desktop's sound settings list the music. FluidSynth passes the media role on to
// PulseAudio itself but names the client "FluidSynth", which only libpulse's override variable
// replaces. setenv leaves alone whatever the user has set.
void nameAudioStream(fluid_settings_t* audioSettings) {
    setenv("PULSE_PROP_OVERRIDE_application.name", "Tanzel Punch", 0);
    setenv("PULSE_PROP_application.icon_name", "tanzel-punch", 0);
    fluid_settings_setstr(audioSettings, "audio.pulseaudio.media-role", "game");
}

// Long enough for the game tune's loop, which closes and opens its tune between the end and the
// next start, and for a tail to stay quiet before the output goes.
constexpr int idleSecondsBeforeClosing = 2;
// -80 dB: nobody hears what is left of a release or the reverb below this. FluidSynth counts
// voices fading on below it as active for seconds more: nine after the title tune's end.
constexpr float inaudible = 1e-4F;

} // namespace

FluidSynthEngine::FluidSynthEngine(MusicOptions options, EndReport reportEnd)
    : options(std::move(options))
    , reportEnd(std::move(reportEnd)) {
    silenceLibraryChatter();
    outputThread = std::thread([this] {
        setUp();
        keepOutput();
    });
}

FluidSynthEngine::~FluidSynthEngine() {
    {
        std::lock_guard lock(mutex);
        stopping = true;
    }
    outputChanged.notify_one();
    outputThread.join();
    // The driver first, without the lock: its thread may be waiting for it. Then nothing else
    // renders, and the player goes before the synth it plays on.
    driver.reset();
    tune.reset();
    synth.reset();
    settings.reset();
}

void FluidSynthEngine::setUp() {
    SettingsHandle newSettings{new_fluid_settings()};
    AudioDriverHandle newDriver;
    SynthHandle newSynth;
    if (prepare(newSettings, newDriver, newSynth)) {
        publish(std::move(newSettings), std::move(newSynth), std::move(newDriver));
    } else {
        newDriver.reset();
        publish({}, {}, {});
    }
    // Reading the SoundFont leaves about 2 MB of freed buffers that the allocator would keep.
    malloc_trim(0);
}

bool FluidSynthEngine::prepare(SettingsHandle& newSettings, AudioDriverHandle& newDriver,
                               SynthHandle& newSynth) {
    if (!newSettings) {
        reportProblem("music off: cannot start the synthesizer");
        return false;
    }
    fluid_settings_setnum(newSettings.get(), "synth.sample-rate", options.sampleRate);
    // Only the instruments a tune selects are held in memory, not the whole SoundFont: about
    // 5 MB less with the title tune playing.
    fluid_settings_setint(newSettings.get(), "synth.dynamic-sample-loading", 1);
    // Every voice FluidSynth may sound holds about 5 kB. The title tune sounds at most 122 at
    // once and the game tune 82, so half the default 256 renders both exactly as before.
    fluid_settings_setint(newSettings.get(), "synth.polyphony", 128);
    // Music needs no low latency. With large periods, and PulseAudio not asked to shrink them,
    // the audio threads wake tens of times a second instead of hundreds: those wake-ups, not the
    // synthesis, were most of what the music cost (26 % of a core idle on the title, now 4 %).
    fluid_settings_setint(newSettings.get(), "audio.period-size", 2048);
    fluid_settings_setint(newSettings.get(), "audio.pulseaudio.adjust-latency", 0);
    // Asked first: without an output there is no point in loading the SoundFont.
    if (options.mode == MusicOptions::Mode::LiveAudio) {
        nameAudioStream(newSettings.get());
        newDriver = openAudioOutput(newSettings.get());
        if (!newDriver) {
            std::string tried;
            for (const std::string& name : options.audioDrivers)
                tried += (tried.empty() ? "" : ", ") + name;
            reportProblem("music off: no audio output (tried " + tried + ")");
            return false;
        }
    }
    newSynth.reset(new_fluid_synth(newSettings.get()));
    if (!newSynth) {
        reportProblem("music off: cannot start the synthesizer");
        return false;
    }
    std::error_code error;
    if (!std::filesystem::is_regular_file(options.soundFont, error)) {
        reportProblem("music off: no SoundFont at " + options.soundFont.string());
        return false;
    }
    if (fluid_synth_sfload(newSynth.get(), options.soundFont.c_str(), 1) == FLUID_FAILED) {
        reportProblem("music off: " + options.soundFont.string() + ": not a usable SoundFont");
        return false;
    }
    return true;
}

AudioDriverHandle FluidSynthEngine::openAudioOutput(fluid_settings_t* audioSettings) {
    for (const std::string& name : options.audioDrivers) {
        if (fluid_settings_setstr(audioSettings, "audio.driver", name.c_str()) != FLUID_OK)
            continue;
        if (fluid_audio_driver_t* opened =
                new_fluid_audio_driver2(audioSettings, renderAudio, this))
            return AudioDriverHandle{opened};
    }
    return {};
}

void FluidSynthEngine::publish(SettingsHandle newSettings, SynthHandle newSynth,
                               AudioDriverHandle newDriver) {
    {
        std::lock_guard lock(mutex);
        settings = std::move(newSettings);
        synth = std::move(newSynth);
        driver = std::move(newDriver);
        outputWanted = driver != nullptr;
        setUpDone = true;
    }
    settled.notify_all();
}

void FluidSynthEngine::keepOutput() {
    std::unique_lock lock(mutex);
    while (true) {
        outputChanged.wait(lock,
                           [this] { return stopping || outputWanted != (driver != nullptr); });
        if (stopping)
            return;
        if (outputWanted) {
            lock.unlock();
            AudioDriverHandle opened = openAudioOutput(settings.get());
            lock.lock();
            if (opened) {
                driver = std::move(opened);
                continue;
            }
            outputWanted = false;
            if (!std::exchange(outputLossReported, true))
                reportProblem("music off: the audio output did not open again");
        } else {
            AudioDriverHandle closing = std::move(driver);
            lock.unlock();
            // Without the lock: the driver's thread may be waiting for it to render a last block.
            closing.reset();
            lock.lock();
        }
    }
}

void FluidSynthEngine::waitUntilReady() {
    std::unique_lock lock(mutex);
    settled.wait(lock, [this] { return setUpDone; });
}

void FluidSynthEngine::load(std::string name, std::vector<unsigned char> midiBytes) {
    std::lock_guard lock(mutex);
    dropTune();
    tune.emplace(Tune{.name = std::move(name), .bytes = std::move(midiBytes)});
}

void FluidSynthEngine::unload() {
    std::lock_guard lock(mutex);
    dropTune();
}

void FluidSynthEngine::dropTune() {
    if (!tune)
        return;
    tune.reset();
    // A deleted player leaves its notes sounding and its programs and controllers set. The reset
    // clears those but only releases the notes, which can ring for seconds: then cut them. (The
    // other way round, the reset's release overrides the cut.)
    if (synth) {
        fluid_synth_system_reset(synth.get());
        fluid_synth_all_sounds_off(synth.get(), -1);
    }
}

void FluidSynthEngine::start(std::uint64_t playId) {
    std::lock_guard lock(mutex);
    if (!tune)
        return;
    tune->playId = playId;
    if (tune->reachedEnd) {
        reportEnd(playId);
        return;
    }
    if (tune->playing || tune->framesUntilStart)
        return;
    // The delay is counted in rendered sound, so a reopened output cannot cut the first notes.
    tune->framesUntilStart =
        static_cast<long>(options.startDelay.count()) * options.sampleRate / 1000;
    silentFrames = 0;
    if (synth && options.mode == MusicOptions::Mode::LiveAudio && !outputWanted) {
        outputWanted = true;
        outputChanged.notify_one();
    }
}

void FluidSynthEngine::pause() {
    std::lock_guard lock(mutex);
    if (!tune)
        return;
    tune->framesUntilStart.reset();
    if (tune->playing) {
        // Keeps the position; the player releases its notes on the next rendered block.
        fluid_player_stop(tune->player.get());
        tune->playing = false;
    }
}

std::vector<StereoFrame> FluidSynthEngine::render(std::size_t frames) {
    if (options.mode != MusicOptions::Mode::Offline)
        return {};
    waitUntilReady();
    constexpr std::size_t blockFrames = 64;
    std::array<float, blockFrames> left{};
    std::array<float, blockFrames> right{};
    std::vector<StereoFrame> sound(frames);
    for (std::size_t done = 0; done < frames; done += blockFrames) {
        const std::size_t count = std::min(blockFrames, frames - done);
        {
            std::lock_guard lock(mutex);
            renderBlock(left.data(), right.data(), static_cast<int>(count));
        }
        for (std::size_t i = 0; i < count; ++i)
            sound[done + i] = {left[i], right[i]};
    }
    return sound;
}

int FluidSynthEngine::renderAudio(void* engine, int frames, int, float*[], int outputs,
                                  float* out[]) {
    if (outputs < 2)
        return FLUID_FAILED;
    auto& self = *static_cast<FluidSynthEngine*>(engine);
    std::lock_guard lock(self.mutex);
    self.renderBlock(out[0], out[1], frames);
    return FLUID_OK;
}

void FluidSynthEngine::renderBlock(float* left, float* right, int frames) {
    std::fill_n(left, frames, 0.0f);
    std::fill_n(right, frames, 0.0f);
    if (!synth)
        return;
    if (tune && tune->framesUntilStart) {
        if (*tune->framesUntilStart > 0)
            *tune->framesUntilStart -= frames;
        else
            beginPlayback();
    }
    // Effects are mixed into the same two buffers as the dry sound.
    std::array<float*, 2> buffers{left, right};
    fluid_synth_process(synth.get(), frames, 2, buffers.data(), 2, buffers.data());
    noteSilence(left, right, frames);
}

void FluidSynthEngine::noteSilence(const float* left, const float* right, int frames) {
    const auto audible = [](float sample) { return std::abs(sample) >= inaudible; };
    const bool sounding = (tune && (tune->playing || tune->framesUntilStart)) ||
                          std::any_of(left, left + frames, audible) ||
                          std::any_of(right, right + frames, audible);
    silentFrames = sounding ? 0 : silentFrames + frames;
    if (outputWanted && silentFrames >= long{idleSecondsBeforeClosing} * options.sampleRate) {
        outputWanted = false;
        outputChanged.notify_one();
    }
}

void FluidSynthEngine::beginPlayback() {
    tune->framesUntilStart.reset();
    if (!tune->player && !createPlayer()) {
        reportProblem("music off: " + tune->name + ": the MIDI player could not start");
        return;
    }
    fluid_player_play(tune->player.get());
    tune->playing = true;
}

bool FluidSynthEngine::createPlayer() {
    PlayerHandle player{new_fluid_player(synth.get())};
    if (!player ||
        fluid_player_add_mem(player.get(), tune->bytes.data(), tune->bytes.size()) != FLUID_OK)
        return false;
    fluid_player_set_tick_callback(player.get(), onTick, this);
    tune->player = std::move(player);
    return true;
}

int FluidSynthEngine::onTick(void* engine, int tick) {
    static_cast<FluidSynthEngine*>(engine)->tickReached(tick);
    return FLUID_OK;
}

// The player's own end waits for the last voices to die away; the tune ends at its last tick.
void FluidSynthEngine::tickReached(int tick) {
    if (!tune || !tune->player || tune->reachedEnd)
        return;
    if (!tune->totalTicks)
        tune->totalTicks = fluid_player_get_total_ticks(tune->player.get());
    if (tick < *tune->totalTicks)
        return;
    tune->reachedEnd = true;
    tune->playing = false;
    reportEnd(tune->playId);
}

} // namespace tanzel
