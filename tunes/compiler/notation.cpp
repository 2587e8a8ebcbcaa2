// The small words of the tune language: numbers, note names, drum names, durations and keys.
#include "notation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace tune {

namespace {

constexpr std::array<std::pair<std::string_view, int>, 17> drumKeys{{
    {"kick", 36},
    {"rim", 37},
    {"snare", 38},
    {"clap", 39},
    {"tomfloor", 41},
    {"hat", 42},
    {"pedalhat", 44},
    {"tomlo", 45},
    {"openhat", 46},
    {"tommid", 47},
    {"tomhi", 50},
    {"crash", 49},
    {"ride", 51},
    {"tambourine", 54},
    {"splash", 55},
    {"cowbell", 56},
    {"crash2", 57},
}};

// Sharps of the major key on each tonic; a minor key has three fewer than the major on its tonic.
// G#, D# and A# major are only here to reach their minor keys.
constexpr std::array<std::pair<std::string_view, int>, 18> majorKeySharps{{
    {"Cb", -7},
    {"Gb", -6},
    {"Db", -5},
    {"Ab", -4},
    {"Eb", -3},
    {"Bb", -2},
    {"F", -1},
    {"C", 0},
    {"G", 1},
    {"D", 2},
    {"A", 3},
    {"E", 4},
    {"B", 5},
    {"F#", 6},
    {"C#", 7},
    {"G#", 8},
    {"D#", 9},
    {"A#", 10},
}};

template <std::size_t N>
std::optional<int> lookUp(const std::array<std::pair<std::string_view, int>, N>& table,
                          std::string_view name) {
    const auto found = std::ranges::find(table, name, &std::pair<std::string_view, int>::first);
    if (found == table.end())
        return std::nullopt;
    return found->second;
}

} // namespace

std::optional<int> parseNumber(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc{} || stop != end)
        return std::nullopt;
    return value;
}

std::optional<int> noteKey(std::string_view name) {
    static constexpr std::array<int, 7> letterPitch{9, 11, 0, 2, 4, 5, 7};
    if (name.empty() || name.front() < 'A' || name.front() > 'G')
        return std::nullopt;
    int pitch = letterPitch[static_cast<std::size_t>(name.front() - 'A')];
    name.remove_prefix(1);
    if (name.starts_with('#') || name.starts_with('b')) {
        pitch += name.front() == '#' ? 1 : -1;
        name.remove_prefix(1);
    }
    const auto octave = parseNumber(name);
    if (!octave)
        return std::nullopt;
    // Clamped so that a far-off octave still reads as out of range instead of overflowing.
    const long long key = (static_cast<long long>(*octave) + 1) * 12 + pitch;
    return static_cast<int>(std::clamp(key, -1LL, 128LL));
}

std::string noteName(int key) {
    static constexpr std::array<std::string_view, 12> names{"C",  "C#", "D",  "D#", "E",  "F",
                                                            "F#", "G",  "G#", "A",  "A#", "B"};
    return std::string(names[static_cast<std::size_t>(key % 12)]) + std::to_string(key / 12 - 1);
}

std::optional<int> drumKey(std::string_view name) {
    return lookUp(drumKeys, name);
}

std::optional<int> durationTicks(std::string_view text) {
    const bool dotted = text.ends_with('.');
    const bool triplet = text.ends_with('t');
    if (dotted || triplet)
        text.remove_suffix(1);
    static constexpr std::array<int, 7> divisions{1, 2, 4, 8, 16, 32, 64};
    const auto division = parseNumber(text);
    if (!division || std::ranges::find(divisions, *division) == divisions.end())
        return std::nullopt;
    const int ticks = ticksPerQuarter * 4 / *division;
    if (dotted)
        return ticks * 3 / 2;
    if (triplet)
        return ticks * 2 / 3;
    return ticks;
}

std::optional<KeySignature> keySignature(std::string_view name) {
    const bool minor = name.ends_with('m');
    if (minor)
        name.remove_suffix(1);
    const auto majorSharps = lookUp(majorKeySharps, name);
    if (!majorSharps)
        return std::nullopt;
    const int sharps = *majorSharps - (minor ? 3 : 0);
    if (sharps < -7 || sharps > 7)
        return std::nullopt;
    return KeySignature{sharps, minor};
}

} // namespace tune
