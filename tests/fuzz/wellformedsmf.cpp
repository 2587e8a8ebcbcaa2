// Builds a MIDI file chunk by chunk and event by event from the choices in the fuzz bytes.
#include "wellformedsmf.h"

#include <array>
#include <fuzzer/FuzzedDataProvider.h>
#include <optional>
#include <string_view>

namespace tanzel::fuzz {

namespace {

using Bytes = std::vector<unsigned char>;

void append(Bytes& bytes, std::initializer_list<unsigned> values) {
    for (unsigned value : values)
        bytes.push_back(static_cast<unsigned char>(value));
}

void appendVariableLength(Bytes& bytes, std::uint32_t value) {
    Bytes reversed{static_cast<unsigned char>(value & 0x7f)};
    while (value >>= 7)
        reversed.push_back(static_cast<unsigned char>(0x80 | (value & 0x7f)));
    bytes.insert(bytes.end(), reversed.rbegin(), reversed.rend());
}

void appendChunk(Bytes& bytes, std::string_view id, const Bytes& body) {
    bytes.insert(bytes.end(), id.begin(), id.end());
    const auto length = static_cast<std::uint32_t>(body.size());
    append(bytes, {length >> 24, (length >> 16) & 0xff, (length >> 8) & 0xff, length & 0xff});
    bytes.insert(bytes.end(), body.begin(), body.end());
}

class TrackWriter {
public:
    explicit TrackWriter(FuzzedDataProvider& choices)
        : choices(choices) {}

    Bytes write() {
        const int events = choices.ConsumeIntegralInRange(0, 48);
        for (int event = 0; event < events; ++event) {
            appendVariableLength(body, deltaTime());
            if (!writeEvent())
                return body;
        }
        if (!rarely(10))
            append(body, {0x00, 0xff, 0x2f, 0x00});
        return body;
    }

private:
    // Once in `times` choices. Spent recipe bytes read as zeros, which choose the usual.
    bool rarely(unsigned times) { return choices.ConsumeIntegralInRange(1U, times) == times; }

    // Mostly short, now and then as long as the four bytes allow.
    std::uint32_t deltaTime() {
        if (rarely(50))
            return choices.ConsumeIntegralInRange<std::uint32_t>(0, 0x0fffffff);
        return choices.ConsumeBool() ? choices.ConsumeIntegralInRange<std::uint32_t>(1, 960) : 0;
    }

    unsigned dataByte() {
        const unsigned byte = choices.ConsumeIntegral<std::uint8_t>();
        return rarely(500) ? byte | 0x80U : byte & 0x7fU;
    }

    // False when the event ended the track.
    bool writeEvent() {
        switch (choices.ConsumeIntegralInRange(0, 9)) {
        case 7:
            return writeMeta();
        case 8:
            writeSysEx(0xf0);
            return true;
        case 9:
            if (rarely(50)) {
                writeSysEx(choices.PickValueInArray({0xf7U, 0xf1U, 0xf8U, 0xfeU}));
                return true;
            }
            [[fallthrough]];
        default:
            writeChannelMessage();
            return true;
        }
    }

    void writeChannelMessage() {
        const unsigned kind = 0x80U + 0x10U * choices.ConsumeIntegralInRange(0U, 6U);
        const unsigned status = kind | choices.ConsumeIntegralInRange(0U, 15U);
        if (!(runningStatus == status && choices.ConsumeBool()))
            body.push_back(static_cast<unsigned char>(status));
        runningStatus = status;
        const int dataBytes = kind == 0xc0 || kind == 0xd0 ? 1 : 2;
        for (int i = 0; i < dataBytes; ++i)
            body.push_back(static_cast<unsigned char>(dataByte()));
    }

    bool writeMeta() {
        runningStatus.reset();
        constexpr std::array<unsigned, 9> knownTypes = {0x00, 0x01, 0x03, 0x20, 0x2f,
                                                        0x51, 0x54, 0x58, 0x59};
        const unsigned type = choices.ConsumeBool() ? choices.PickValueInArray(knownTypes)
                                                    : choices.ConsumeIntegral<std::uint8_t>();
        std::uint32_t length = choices.ConsumeIntegralInRange(0U, 8U);
        if (!rarely(20)) {
            switch (type) {
            case 0x2f:
                length = 0;
                break;
            case 0x51:
                length = 3;
                break;
            case 0x54:
                length = 5;
                break;
            case 0x58:
                length = 4;
                break;
            case 0x59:
                length = 2;
                break;
            default:
                break;
            }
        }
        append(body, {0xff, type});
        appendVariableLength(body, length);
        for (std::uint32_t i = 0; i < length; ++i)
            body.push_back(choices.ConsumeIntegral<std::uint8_t>());
        if (type != 0x2f)
            return true;
        // Bytes after the end of the track, which the players skip.
        if (rarely(10))
            append(body, {0x00, 0x90, 0x3c, 0x64});
        return false;
    }

    void writeSysEx(unsigned status) {
        runningStatus.reset();
        body.push_back(static_cast<unsigned char>(status));
        const std::uint32_t length = choices.ConsumeIntegralInRange(0U, 12U);
        appendVariableLength(body, length);
        for (std::uint32_t i = 0; i + 1 < length; ++i)
            body.push_back(static_cast<unsigned char>(dataByte()));
        if (length > 0)
            body.push_back(choices.ConsumeBool() ? 0xf7 : 0x7f);
    }

    FuzzedDataProvider& choices;
    Bytes body;
    std::optional<unsigned> runningStatus;
};

} // namespace

std::vector<unsigned char> wellFormedSmf(std::span<const std::uint8_t> recipe) {
    FuzzedDataProvider choices(recipe.data(), recipe.size());
    const unsigned format = choices.ConsumeIntegralInRange(0U, 2U);
    const unsigned tracks = choices.ConsumeIntegralInRange(1U, 4U);
    const unsigned division = choices.ConsumeBool() ? choices.PickValueInArray({96U, 480U})
                                                    : choices.ConsumeIntegralInRange(1U, 0x7fffU);
    Bytes file;
    appendChunk(file, "MThd",
                {0, static_cast<unsigned char>(format), 0, static_cast<unsigned char>(tracks),
                 static_cast<unsigned char>(division >> 8),
                 static_cast<unsigned char>(division & 0xff)});
    for (unsigned track = 0; track < tracks; ++track) {
        if (choices.ConsumeIntegralInRange(1U, 20U) == 20U)
            appendChunk(file, "XFIH", {1, 2, 3});
        appendChunk(file, "MTrk", TrackWriter(choices).write());
    }
    return file;
}

} // namespace tanzel::fuzz
