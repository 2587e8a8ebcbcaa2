// A Standard MIDI File reader for the tests, written apart from the writer so that it can judge it.
#include "smfreader.h"

#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace tunetest {

namespace {

class Cursor {
public:
    Cursor(const std::vector<std::uint8_t>& bytes, std::size_t begin, std::size_t end)
        : bytes(bytes)
        , position(begin)
        , end(end) {}

    bool atEnd() const { return position == end; }

    std::uint8_t peek() const {
        if (atEnd())
            throw std::runtime_error("unexpected end of data");
        return bytes[position];
    }

    std::uint8_t next() {
        const std::uint8_t byte = peek();
        ++position;
        return byte;
    }

    std::uint32_t bigEndian(int count) {
        std::uint32_t value = 0;
        for (int i = 0; i < count; ++i)
            value = (value << 8) | next();
        return value;
    }

    std::uint32_t variableLength() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t byte = next();
            value = (value << 7) | (byte & 0x7Fu);
            if ((byte & 0x80) == 0)
                return value;
        }
        throw std::runtime_error("variable-length quantity longer than four bytes");
    }

    std::vector<std::uint8_t> take(std::size_t count) {
        if (end - position < count)
            throw std::runtime_error("data runs past the end of its chunk");
        std::vector<std::uint8_t> taken(bytes.begin() + static_cast<long>(position),
                                        bytes.begin() + static_cast<long>(position + count));
        position += count;
        return taken;
    }

    std::size_t offset() const { return position; }

private:
    const std::vector<std::uint8_t>& bytes;
    std::size_t position;
    std::size_t end;
};

int dataBytesOf(std::uint8_t status) {
    const int kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

std::vector<MidiEvent> readTrack(Cursor cursor) {
    std::vector<MidiEvent> events;
    std::uint8_t runningStatus = 0; // every status byte has its top bit set, so 0 means none
    int tick = 0;
    while (!cursor.atEnd()) {
        MidiEvent event;
        tick += static_cast<int>(cursor.variableLength());
        event.tick = tick;
        if (cursor.peek() == 0xFF) {
            cursor.next();
            event.status = 0xFF;
            event.metaType = cursor.next();
            event.data = cursor.take(cursor.variableLength());
            runningStatus = 0;
        } else if (cursor.peek() == 0xF0 || cursor.peek() == 0xF7) {
            event.status = cursor.next();
            event.data = cursor.take(cursor.variableLength());
            runningStatus = 0;
        } else {
            if (cursor.peek() & 0x80)
                runningStatus = cursor.next();
            else if (runningStatus == 0)
                throw std::runtime_error("data byte with no running status in force");
            event.status = runningStatus;
            for (int i = 0; i < dataBytesOf(event.status); ++i) {
                if (cursor.peek() & 0x80)
                    throw std::runtime_error("status byte where a data byte belongs");
                event.data.push_back(cursor.next());
            }
        }
        events.push_back(std::move(event));
        if (events.back().metaType == 0x2F && !cursor.atEnd())
            throw std::runtime_error("events after the end of track");
    }
    if (events.empty() || events.back().metaType != 0x2F)
        throw std::runtime_error("track without an end-of-track event");
    return events;
}

} // namespace

MidiFile readMidiFile(const std::vector<std::uint8_t>& bytes) {
    Cursor header(bytes, 0, bytes.size());
    const auto id = header.take(4);
    if (std::string(id.begin(), id.end()) != "MThd" || header.bigEndian(4) != 6)
        throw std::runtime_error("not a MIDI file header");
    MidiFile file;
    file.format = static_cast<int>(header.bigEndian(2));
    const auto trackCount = header.bigEndian(2);
    file.division = static_cast<int>(header.bigEndian(2));
    std::size_t position = header.offset();
    for (std::uint32_t i = 0; i < trackCount; ++i) {
        Cursor chunk(bytes, position, bytes.size());
        const auto chunkId = chunk.take(4);
        if (std::string(chunkId.begin(), chunkId.end()) != "MTrk")
            throw std::runtime_error("expected a track chunk");
        const std::size_t length = chunk.bigEndian(4);
        const std::size_t begin = chunk.offset();
        if (bytes.size() - begin < length)
            throw std::runtime_error("track chunk longer than the file");
        file.tracks.push_back(readTrack(Cursor(bytes, begin, begin + length)));
        position = begin + length;
    }
    if (position != bytes.size())
        throw std::runtime_error("bytes after the last track");
    return file;
}

std::vector<HeardNote> pairNotes(const MidiFile& file) {
    std::vector<HeardNote> notes;
    for (const auto& track : file.tracks) {
        std::map<std::pair<int, int>, int> down; // (channel, key) to start tick
        for (const MidiEvent& event : track) {
            const int kind = event.status & 0xF0;
            if (kind != 0x80 && kind != 0x90)
                continue;
            const std::pair key{event.status & 0x0F, static_cast<int>(event.data[0])};
            const bool pressed = kind == 0x90 && event.data[1] > 0;
            const auto held = down.find(key);
            if (pressed && held != down.end())
                throw std::runtime_error("key " + std::to_string(key.second) +
                                         " struck while down");
            if (!pressed && held == down.end())
                throw std::runtime_error("key " + std::to_string(key.second) +
                                         " released while up");
            if (pressed) {
                down[key] = event.tick;
            } else {
                notes.push_back({key.first, key.second, held->second, event.tick});
                down.erase(held);
            }
        }
        if (!down.empty())
            throw std::runtime_error("a key is still down at the end of a track");
    }
    return notes;
}

} // namespace tunetest
