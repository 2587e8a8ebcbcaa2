// Encodes the chunks of a Standard MIDI File: delta times, running status, end of track.
#include "miditrack.h"

#include <algorithm>
#include <stdexcept>

namespace tune {

namespace {

constexpr std::uint32_t largestQuantity = 0x0FFFFFFF;

void append(Bytes& out, std::span<const std::uint8_t> bytes) {
    out.insert(out.end(), bytes.begin(), bytes.end());
}

} // namespace

Bytes variableLengthQuantity(std::uint32_t value) {
    if (value > largestQuantity)
        throw std::out_of_range("a MIDI variable-length quantity holds at most 28 bits");
    Bytes bytes{static_cast<std::uint8_t>(value & 0x7F)};
    while ((value >>= 7) != 0)
        bytes.insert(bytes.begin(), static_cast<std::uint8_t>(0x80 | (value & 0x7F)));
    return bytes;
}

Bytes midiChunk(std::string_view id, std::span<const std::uint8_t> body) {
    Bytes chunk(id.begin(), id.end());
    const auto length = static_cast<std::uint32_t>(body.size());
    for (const int shift : {24, 16, 8, 0})
        chunk.push_back(static_cast<std::uint8_t>(length >> shift));
    append(chunk, body);
    return chunk;
}

void MidiTrack::addChannelEvent(int tick, std::uint8_t status,
                                std::initializer_list<std::uint8_t> data) {
    if (status < 0x80 || status > 0xEF)
        throw std::logic_error("not a channel message status byte");
    if (std::ranges::any_of(data, [](std::uint8_t byte) { return byte > 0x7F; }))
        throw std::logic_error("MIDI data bytes are seven bits");
    advanceTo(tick);
    if (runningStatus != status)
        events.push_back(status);
    runningStatus = status;
    append(events, data);
}

void MidiTrack::addMeta(int tick, MetaType type, std::span<const std::uint8_t> data) {
    advanceTo(tick);
    events.push_back(0xFF);
    events.push_back(static_cast<std::uint8_t>(type));
    append(events, variableLengthQuantity(static_cast<std::uint32_t>(data.size())));
    append(events, data);
    runningStatus.reset();
}

Bytes MidiTrack::finish(int endTick) const {
    if (endTick < currentTick)
        throw std::logic_error("a track cannot end before its last event");
    Bytes body = events;
    append(body, variableLengthQuantity(static_cast<std::uint32_t>(endTick - currentTick)));
    append(body, Bytes{0xFF, static_cast<std::uint8_t>(MetaType::endOfTrack), 0x00});
    return midiChunk("MTrk", body);
}

void MidiTrack::advanceTo(int tick) {
    if (tick < currentTick)
        throw std::logic_error("MIDI events must be added in time order");
    append(events, variableLengthQuantity(static_cast<std::uint32_t>(tick - currentTick)));
    currentTick = tick;
}

} // namespace tune
