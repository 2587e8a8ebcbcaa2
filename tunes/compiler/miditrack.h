// Encodes the chunks of a Standard MIDI File: delta times, running status, end of track.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tune {

using Bytes = std::vector<std::uint8_t>;

enum class MetaType : std::uint8_t {
    trackName = 0x03,
    endOfTrack = 0x2F,
    tempo = 0x51,
    timeSignature = 0x58,
    keySignature = 0x59,
};

// Delta times and lengths in a MIDI file: seven bits a byte, most significant first.
Bytes variableLengthQuantity(std::uint32_t value);

// A chunk: four letters, a big-endian length, then the body.
Bytes midiChunk(std::string_view id, std::span<const std::uint8_t> body);

// Events are added in time order with absolute ticks; the track turns them into delta times.
// A channel message leaves out its status byte when it repeats the one before, unless a meta
// event came between, which ends running status.
class MidiTrack {
public:
    void addChannelEvent(int tick, std::uint8_t status, std::initializer_list<std::uint8_t> data);
    void addMeta(int tick, MetaType type, std::span<const std::uint8_t> data);

    // The whole MTrk chunk, closed by an end-of-track event at endTick.
    Bytes finish(int endTick) const;

private:
    void advanceTo(int tick);

    Bytes events;
    int currentTick = 0;
    std::optional<std::uint8_t> runningStatus;
};

} // namespace tune
