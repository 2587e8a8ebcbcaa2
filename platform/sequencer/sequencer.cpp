// Keeps the device's own open/play state and turns the engine's end reports into completions.
#include "sequencer.h"

#include "midifile.h"
#include "problemreport.h"

#include <utility>

namespace tanzel {

Sequencer::Sequencer(MusicOptions options)
    : options(std::move(options))
    , currentPlay(std::make_shared<CurrentPlay>())
    , watchedPlay(currentPlay) {}

Sequencer::Sequencer(MusicOptions options, const MusicEngineFactory& makeEngine)
    : Sequencer(std::move(options)) {
    attachEngine(makeEngine);
}

Sequencer::~Sequencer() = default;

bool Sequencer::open(const std::string& fileName) {
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
    engine->load(fileName, std::move(file.bytes));
    openTune = fileName;
    return true;
}

bool Sequencer::play(Completion completed) {
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

void Sequencer::stop() {
    if (!openTune)
        return;
    forgetCurrentPlay();
    playing = false;
    soundAsAsked();
}

void Sequencer::close() {
    if (!openTune)
        return;
    forgetCurrentPlay();
    playing = false;
    engine->unload();
    openTune.reset();
}

void Sequencer::hold(bool holding) {
    if (held == holding)
        return;
    held = holding;
    if (openTune && playing)
        soundAsAsked();
}

void Sequencer::attachEngine(const MusicEngineFactory& makeEngine) {
    if (attached)
        return;
    attached = makeEngine(options, [this](std::uint64_t playId) { postEnd(playId); });
    pending->handOver(*attached);
    engine = attached.get();
    pending.reset();
}

void Sequencer::waitUntilReady() {
    engine->waitUntilReady();
}

std::vector<StereoFrame> Sequencer::renderOffline(std::chrono::milliseconds length) {
    const auto frames = static_cast<std::size_t>(length.count()) * options.sampleRate / 1000;
    return engine->render(frames);
}

void Sequencer::soundAsAsked() {
    if (playing && !held)
        engine->start(currentPlay->id);
    else
        engine->pause();
}

void Sequencer::forgetCurrentPlay() {
    ++currentPlay->id;
    currentPlay->completed = nullptr;
}

void Sequencer::postEnd(std::uint64_t playId) const {
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
