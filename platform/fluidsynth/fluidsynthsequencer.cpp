// Keeps the device's own open/play state and turns the engine's end reports into completions.
#include "fluidsynthsequencer.h"

#include "midifile.h"
#include "problemreport.h"

#include <utility>

namespace tanzel {

FluidSynthSequencer::FluidSynthSequencer(FluidSynthOptions options)
    : options(std::move(options))
    , currentPlay(std::make_shared<CurrentPlay>())
    , watchedPlay(currentPlay) {}

FluidSynthSequencer::FluidSynthSequencer(FluidSynthOptions options,
                                         const MusicEngineFactory& makeEngine)
    : FluidSynthSequencer(std::move(options)) {
    attachEngine(makeEngine);
}

FluidSynthSequencer::~FluidSynthSequencer() = default;

bool FluidSynthSequencer::open(const std::string& fileName) {
    // Held exclusively: the game window's start-up asks for the device while the title tune
    // may still hold it, and that refusal is how the device is meant to work.
    if (openTune)
        return false;
    MidiFile file = readMidiFile(fileName);
    if (!file.problem.empty()) {
        // The title window opens its tune again each time it comes back: a broken file is
        // reported once, not once a game.
        const std::string refusal = "music off: " + fileName + ": " + file.problem;
        if (reportedRefusals.insert(refusal).second)
            reportProblem(refusal);
        return false;
    }
    forgetCurrentPlay();
    if (engine)
        engine->load(fileName, std::move(file.bytes));
    else
        waitingTune = WaitingTune{std::move(file.bytes)};
    openTune = fileName;
    return true;
}

bool FluidSynthSequencer::play(Completion completed) {
    if (!openTune) {
        reportProblem("music: play with no tune open");
        return false;
    }
    forgetCurrentPlay();
    currentPlay->completed = std::move(completed);
    playing = true;
    soundAsAsked();
    return true;
}

void FluidSynthSequencer::stop() {
    if (!openTune)
        return;
    forgetCurrentPlay();
    playing = false;
    soundAsAsked();
}

void FluidSynthSequencer::close() {
    if (!openTune)
        return;
    forgetCurrentPlay();
    playing = false;
    if (engine)
        engine->unload();
    waitingTune.reset();
    openTune.reset();
}

void FluidSynthSequencer::hold(bool holding) {
    if (held == holding)
        return;
    held = holding;
    if (openTune && playing)
        soundAsAsked();
}

void FluidSynthSequencer::attachEngine(const MusicEngineFactory& makeEngine) {
    if (engine)
        return;
    engine = makeEngine(options, [this](std::uint64_t playId) { postEnd(playId); });
    if (!waitingTune)
        return;
    engine->load(*openTune, std::move(waitingTune->bytes));
    if (waitingTune->playing)
        engine->start(currentPlay->id);
    waitingTune.reset();
}

void FluidSynthSequencer::waitUntilReady() {
    if (engine)
        engine->waitUntilReady();
}

std::vector<StereoFrame> FluidSynthSequencer::renderOffline(std::chrono::milliseconds length) {
    const auto frames = static_cast<std::size_t>(length.count()) * options.sampleRate / 1000;
    return engine ? engine->render(frames) : std::vector<StereoFrame>{};
}

void FluidSynthSequencer::soundAsAsked() {
    const bool sounds = playing && !held;
    if (!engine)
        waitingTune->playing = sounds;
    else if (sounds)
        engine->start(currentPlay->id);
    else
        engine->pause();
}

void FluidSynthSequencer::forgetCurrentPlay() {
    ++currentPlay->id;
    currentPlay->completed = nullptr;
}

void FluidSynthSequencer::postEnd(std::uint64_t playId) const {
    if (!options.postToUiThread)
        return;
    options.postToUiThread([watched = watchedPlay, playId] {
        std::shared_ptr<CurrentPlay> play = watched.lock();
        if (!play || play->id != playId || !play->completed)
            return;
        // Taken out first: the completion may well open and play the tune again.
        Completion completed = std::exchange(play->completed, nullptr);
        completed();
    });
}

} // namespace tanzel
