// Walks the header, the chunks and every event of a Standard MIDI File, without building anything.
#include "smfcheck.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string_view>

namespace tanzel {

namespace {

// FluidSynth's player keeps at most this many tracks and fails to load a file with more.
constexpr unsigned maxTracks = 128;

// The meta events whose length FluidSynth checks.
namespace meta {
constexpr unsigned char endOfTrack = 0x2f;
constexpr unsigned char setTempo = 0x51;
constexpr unsigned char smpteOffset = 0x54;
constexpr unsigned char timeSignature = 0x58;
constexpr unsigned char keySignature = 0x59;
} // namespace meta

std::uint32_t bigEndian(std::span<const unsigned char> bytes) {
    std::uint32_t value = 0;
    for (unsigned char byte : bytes)
        value = (value << 8) | byte;
    return value;
}

std::string hex(unsigned char byte) {
    constexpr std::string_view digits = "0123456789ABCDEF";
    return {'0', 'x', digits[byte >> 4], digits[byte & 0x0f]};
}

std::string broken(const std::string& detail) {
    return "broken MIDI file (" + detail + ")";
}

// Reads the events of one track chunk, as FluidSynth does: up to the end-of-track event or the
// end of the chunk, whichever comes first.
class TrackReader {
public:
    TrackReader(std::span<const unsigned char> body, unsigned number)
        : body(body)
        , name("track " + std::to_string(number)) {}

    std::optional<std::string> check() {
        while (pos < body.size()) {
            std::optional<std::uint32_t> delta = readVariableLength();
            if (!delta)
                return problem("bad delta time");
            ticks += *delta;
            if (ticks > INT_MAX)
                return problem("too long");
            std::optional<std::string> eventProblem = readEvent();
            if (eventProblem || ended)
                return eventProblem;
        }
        return std::nullopt;
    }

private:
    std::optional<std::string> problem(const std::string& what) const {
        return broken(name + ": " + what);
    }

    std::optional<std::uint32_t> readVariableLength() {
        std::uint32_t value = 0;
        for (int count = 0; count < 4 && pos < body.size(); ++count) {
            unsigned char byte = body[pos++];
            value = (value << 7) | (byte & 0x7fu);
            if ((byte & 0x80) == 0)
                return value;
        }
        return std::nullopt;
    }

    bool skip(std::uint32_t length) {
        if (length > body.size() - pos)
            return false;
        pos += length;
        return true;
    }

    std::optional<std::string> readEvent() {
        if (pos >= body.size())
            return problem("ends inside an event");
        unsigned char status = body[pos];
        if (status < 0x80) {
            if (!runningStatus)
                return problem("data byte without a status byte");
            status = *runningStatus;
        } else {
            ++pos;
        }
        if (status == 0xff)
            return readMeta();
        if (status == 0xf0)
            return readSysEx();
        if (status > 0xf0)
            return problem("unsupported status byte " + hex(status));
        return readChannelMessage(status);
    }

    std::optional<std::string> readMeta() {
        runningStatus.reset();
        if (pos >= body.size())
            return problem("ends inside a meta event");
        unsigned char type = body[pos++];
        std::optional<std::uint32_t> length = readVariableLength();
        if (!length || *length > body.size() - pos)
            return problem("meta event runs past the end of the track");
        std::span<const unsigned char> data = body.subspan(pos, *length);
        pos += *length;
        switch (type) {
        case meta::endOfTrack:
            ended = true;
            return data.empty() ? std::nullopt : problem("end-of-track event with data");
        case meta::setTempo:
            if (data.size() != 3 || bigEndian(data) == 0)
                return problem("bad tempo");
            break;
        case meta::smpteOffset:
            if (data.size() != 5)
                return problem("bad SMPTE offset");
            break;
        case meta::timeSignature:
            if (data.size() != 4)
                return problem("bad time signature");
            break;
        case meta::keySignature:
            if (data.size() != 2)
                return problem("bad key signature");
            break;
        default:
            break;
        }
        return std::nullopt;
    }

    std::optional<std::string> readSysEx() {
        runningStatus.reset();
        std::optional<std::uint32_t> length = readVariableLength();
        if (!length || !skip(*length))
            return problem("system exclusive message runs past the end of the track");
        return std::nullopt;
    }

    std::optional<std::string> readChannelMessage(unsigned char status) {
        runningStatus = status;
        unsigned char kind = status & 0xf0;
        std::size_t dataBytes = (kind == 0xc0 || kind == 0xd0) ? 1 : 2;
        if (dataBytes > body.size() - pos)
            return problem("ends inside a channel message");
        for (std::size_t i = 0; i < dataBytes; ++i) {
            if (body[pos++] >= 0x80)
                return problem("data byte out of range");
        }
        return std::nullopt;
    }

    std::span<const unsigned char> body;
    std::string name;
    std::size_t pos = 0;
    std::uint64_t ticks = 0;
    std::optional<unsigned char> runningStatus;
    bool ended = false;
};

bool hasId(std::span<const unsigned char> id, std::string_view expected) {
    return std::ranges::equal(id, expected, [](unsigned char byte, char letter) {
        return byte == static_cast<unsigned char>(letter);
    });
}

bool isPrintableId(std::span<const unsigned char> id) {
    for (unsigned char byte : id) {
        if (byte < 0x20 || byte > 0x7e)
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> findSmfProblem(std::span<const unsigned char> bytes) {
    constexpr std::size_t headerSize = 14;
    constexpr std::size_t chunkHeaderSize = 8;
    if (bytes.size() < headerSize || !hasId(bytes.first(4), "MThd"))
        return "not a MIDI file";
    if (bigEndian(bytes.subspan(4, 4)) != 6)
        return broken("header of unexpected size");
    if (bigEndian(bytes.subspan(8, 2)) > 2)
        return broken("unknown format " + std::to_string(bigEndian(bytes.subspan(8, 2))));
    const std::uint32_t trackCount = bigEndian(bytes.subspan(10, 2));
    if (trackCount == 0)
        return broken("no tracks");
    if (trackCount > maxTracks)
        return broken("more than " + std::to_string(maxTracks) + " tracks");
    const std::uint32_t division = bigEndian(bytes.subspan(12, 2));
    if (division & 0x8000)
        return broken("SMPTE time code is not supported");
    if (division == 0)
        return broken("zero ticks per quarter note");

    std::size_t pos = headerSize;
    for (unsigned track = 1; track <= trackCount;) {
        if (bytes.size() - pos < chunkHeaderSize)
            return broken("track " + std::to_string(track) + " is missing");
        std::span<const unsigned char> id = bytes.subspan(pos, 4);
        const std::uint32_t length = bigEndian(bytes.subspan(pos + 4, 4));
        pos += chunkHeaderSize;
        if (length > bytes.size() - pos)
            return broken("chunk runs past the end of the file");
        if (hasId(id, "MTrk")) {
            if (std::optional<std::string> problem =
                    TrackReader(bytes.subspan(pos, length), track).check())
                return problem;
            ++track;
        } else if (!isPrintableId(id)) {
            return broken("corrupt chunk header");
        }
        pos += length;
    }
    return std::nullopt;
}

} // namespace tanzel
