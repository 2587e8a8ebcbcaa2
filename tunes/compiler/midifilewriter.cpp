// Writes a Tune as a Standard MIDI File: format 1, a tempo track, then one track per part.
#include "midifilewriter.h"

#include <algorithm>
#include <bit>
#include <utility>

namespace tune {

namespace {

constexpr std::uint8_t noteOn = 0x90;
constexpr std::uint8_t controlChange = 0xB0;
constexpr std::uint8_t programChange = 0xC0;
constexpr std::uint8_t volumeController = 7;
constexpr std::uint8_t panController = 10;
constexpr std::uint8_t reverbController = 91;
constexpr int midiClocksPerQuarter = 24;

std::uint8_t byte(int value) {
    return static_cast<std::uint8_t>(value);
}

Bytes textBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

Bytes tempoTrack(const Tune& tune) {
    MidiTrack track;
    if (!tune.title.empty())
        track.addMeta(0, MetaType::trackName, textBytes(tune.title));
    const TimeSignature& time = tune.time;
    track.addMeta(0, MetaType::timeSignature,
                  Bytes{byte(time.numerator), byte(std::countr_zero(unsigned(time.denominator))),
                        byte(midiClocksPerQuarter * 4 / time.denominator), 8});
    track.addMeta(0, MetaType::keySignature, Bytes{byte(tune.key.sharps), byte(tune.key.minor)});
    const int tempo = tune.microsecondsPerQuarter();
    track.addMeta(0, MetaType::tempo, Bytes{byte(tempo >> 16), byte(tempo >> 8), byte(tempo)});
    return track.finish(tune.endTick());
}

// Note-offs are sent as note-ons of velocity 0, so that a whole part runs on one status byte.
Bytes partTrack(const Part& part, int endTick) {
    MidiTrack track;
    track.addMeta(0, MetaType::trackName, textBytes(part.name));
    const std::uint8_t channel = byte(part.channel - 1);
    if (part.program)
        track.addChannelEvent(0, programChange | channel, {byte(*part.program - 1)});
    track.addChannelEvent(0, controlChange | channel, {volumeController, byte(part.volume)});
    track.addChannelEvent(0, controlChange | channel, {panController, byte(part.pan)});
    track.addChannelEvent(0, controlChange | channel, {reverbController, byte(part.reverb)});

    struct KeyChange {
        int tick;
        int key;
        int velocity;
    };
    std::vector<KeyChange> changes;
    for (const Note& note : part.notes) {
        changes.push_back({note.start, note.key, note.velocity});
        changes.push_back({note.start + note.length, note.key, 0});
    }
    // Releases go first at any one tick, so a key struck again right away is not cut short.
    std::ranges::stable_sort(changes, {}, [](const KeyChange& change) {
        return std::pair(change.tick, change.velocity != 0);
    });
    for (const KeyChange& change : changes)
        track.addChannelEvent(change.tick, noteOn | channel,
                              {byte(change.key), byte(change.velocity)});
    return track.finish(endTick);
}

} // namespace

Bytes writeMidiFile(const Tune& tune) {
    constexpr int format = 1;
    const int trackCount = static_cast<int>(tune.parts.size()) + 1;
    Bytes file = midiChunk("MThd", Bytes{0, byte(format), byte(trackCount >> 8), byte(trackCount),
                                         byte(ticksPerQuarter >> 8), byte(ticksPerQuarter)});
    const auto appendTrack = [&file](const Bytes& track) {
        file.insert(file.end(), track.begin(), track.end());
    };
    appendTrack(tempoTrack(tune));
    for (const Part& part : tune.parts)
        appendTrack(partTrack(part, tune.endTick()));
    return file;
}

} // namespace tune
