// Builds the test tunes and their broken variants.
#include "smfbytes.h"

#include <fstream>

namespace tanzel::test {

Bytes operator+(Bytes first, const Bytes& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

Bytes variableLength(std::uint32_t value) {
    Bytes bytes{static_cast<unsigned char>(value & 0x7f)};
    while (value >>= 7)
        bytes.insert(bytes.begin(), static_cast<unsigned char>(0x80 | (value & 0x7f)));
    return bytes;
}

Bytes chunk(std::string_view id, const Bytes& body) {
    const auto size = static_cast<std::uint32_t>(body.size());
    Bytes bytes(id.begin(), id.end());
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<unsigned char>(size >> shift));
    return bytes + body;
}

Bytes header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
    auto high = [](std::uint16_t value) { return static_cast<unsigned char>(value >> 8); };
    auto low = [](std::uint16_t value) { return static_cast<unsigned char>(value); };
    return chunk("MThd", {high(format), low(format), high(tracks), low(tracks), high(division),
                          low(division)});
}

Bytes midiFile(const std::vector<Bytes>& trackBodies) {
    const auto tracks = static_cast<std::uint16_t>(trackBodies.size());
    Bytes bytes = header(tracks == 1 ? 0 : 1, tracks);
    for (const Bytes& body : trackBodies)
        bytes = bytes + chunk("MTrk", body);
    return bytes;
}

Bytes heldMelody(int beats) {
    constexpr unsigned char churchOrgan = 19;
    const Bytes tempo120 = {0x00, 0xff, 0x51, 0x03, 0x07, 0xa1, 0x20};
    Bytes body = tempo120 + Bytes{0x00, 0xc0, churchOrgan};
    for (int beat = 0; beat < beats; ++beat) {
        const auto note = static_cast<unsigned char>(60 + (beat * 5) % 12);
        // Ended by a velocity-0 note-on in running status, on the tick the next note starts.
        body = body + Bytes{0x00, 0x90, note, 100} + variableLength(480) + Bytes{note, 0};
    }
    return body + endOfTrack;
}

void writeFile(const std::filesystem::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

} // namespace tanzel::test
