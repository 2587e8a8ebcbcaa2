// Reads a whole .tune source into a Tune, checking it as it goes.
#include "tuneparser.h"

#include "notation.h"
#include "partlayout.h"
#include "phraseexpander.h"
#include "sourcelines.h"
#include "tuneerror.h"
#include "wording.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace tune {

namespace {

bool isPhraseName(std::string_view name) {
    return !name.empty() && std::isalpha(static_cast<unsigned char>(name.front())) &&
           std::ranges::all_of(name, [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
           });
}

// Lower case so that a chord name can never be read as a note; "#" so that "f#m" reads well.
bool isChordName(std::string_view name) {
    return !name.empty() && std::islower(static_cast<unsigned char>(name.front())) &&
           std::ranges::all_of(name, [](char c) {
               return std::islower(static_cast<unsigned char>(c)) ||
                      std::isdigit(static_cast<unsigned char>(c)) || c == '_' || c == '#';
           });
}

// The words of a part's music are read once every chord and phrase in the file is known.
struct PartSource {
    Part part;
    PartStyle style;
    int line = 0;
    std::vector<Word> body;
};

class TuneParser {
public:
    explicit TuneParser(std::string_view source)
        : lines(readSourceLines(source)) {}

    Tune parse();

private:
    void readLine(const SourceLine& line);
    void readHeader(const SourceLine& line);
    void readTime(const SourceLine& line);
    void readChord(const SourceLine& line);
    void readPhrase(const SourceLine& line);
    void readPart(const SourceLine& line);
    void readPartSetting(PartSource& source, std::string_view setting, int line,
                         std::set<std::string, std::less<>>& given);
    std::vector<Word> readBlock(const SourceLine& opening, const std::string& what);
    void layOutParts();
    void checkPartsEndTogether() const;

    std::vector<SourceLine> lines;
    std::size_t next = 0;
    Tune tune;
    std::set<std::string, std::less<>> headersGiven;
    ChordNames chords;
    Phrases phrases;
    std::vector<PartSource> partSources;
};

int number(std::string_view text, int line, std::string_view what, int lowest, int highest) {
    const auto value = parseNumber(text);
    if (!value || *value < lowest || *value > highest)
        throw TuneError(line, std::string(what) + " must be a number from " +
                                  std::to_string(lowest) + " to " + std::to_string(highest) +
                                  ", not " + quoted(text));
    return *value;
}

Tune TuneParser::parse() {
    while (next < lines.size())
        readLine(lines[next++]);
    if (!headersGiven.contains("tempo"))
        throw TuneError(0, "the tune has no 'tempo' line");
    if (partSources.empty())
        throw TuneError(0, "the tune has no parts");
    layOutParts();
    checkPartsEndTogether();
    return tune;
}

void TuneParser::readLine(const SourceLine& line) {
    const std::string& keyword = line.words.front();
    if (keyword == "title" || keyword == "tempo" || keyword == "time" || keyword == "key")
        readHeader(line);
    else if (keyword == "chord")
        readChord(line);
    else if (keyword == "phrase")
        readPhrase(line);
    else if (keyword == "part")
        readPart(line);
    else
        throw TuneError(line.number,
                        quoted(keyword) + " is not title, tempo, time, key, chord, phrase or part");
}

void TuneParser::readHeader(const SourceLine& line) {
    const std::string& keyword = line.words.front();
    if (!headersGiven.insert(keyword).second)
        throw TuneError(line.number, quoted(keyword) + " is given twice");
    if (keyword == "title") {
        for (std::size_t i = 1; i < line.words.size(); ++i)
            tune.title += (i > 1 ? " " : "") + line.words[i];
        return;
    }
    if (line.words.size() != 2)
        throw TuneError(line.number, quoted(keyword) + " takes exactly one value");
    const std::string& value = line.words[1];
    if (keyword == "tempo") {
        tune.tempo = number(value, line.number, "the tempo", 20, 400);
    } else if (keyword == "time") {
        readTime(line);
    } else {
        const auto key = keySignature(value);
        if (!key)
            throw TuneError(line.number,
                            quoted(value) + " is not a key such as C, F#, Bb, Am or C#m");
        tune.key = *key;
    }
}

void TuneParser::readTime(const SourceLine& line) {
    const std::string_view value = line.words[1];
    const std::size_t slash = value.find('/');
    if (slash == std::string_view::npos)
        throw TuneError(line.number, "a time signature looks like 4/4, not " + quoted(value));
    tune.time.numerator = number(value.substr(0, slash), line.number, "the beats per bar", 1, 32);
    tune.time.denominator = number(value.substr(slash + 1), line.number, "the beat", 1, 32);
    if (!durationTicks(value.substr(slash + 1)))
        throw TuneError(line.number, "the beat of a time signature must be 1, 2, 4, 8, 16 or 32");
}

void TuneParser::readChord(const SourceLine& line) {
    const auto& words = line.words;
    if (words.size() < 4 || words[2] != "=")
        throw TuneError(line.number, "a chord line looks like 'chord name = C4 E4 G4'");
    const std::string& name = words[1];
    if (!isChordName(name) || name == "r" || (name.front() == 'v' && parseNumber(name.substr(1))))
        throw TuneError(line.number, quoted(name) + " cannot name a chord: use lower case letters, "
                                                    "digits, '_' and '#', but not 'r' or 'v' and "
                                                    "a number");
    if (drumKey(name))
        throw TuneError(line.number, quoted(name) + " is already a drum name");
    std::vector<int> keys;
    for (std::size_t i = 3; i < words.size(); ++i) {
        const auto key = noteKey(words[i]);
        if (!key || *key < 0 || *key > 127)
            throw TuneError(line.number, quoted(words[i]) + " is not a note such as C4 or F#3");
        keys.push_back(*key);
    }
    if (!chords.emplace(name, std::move(keys)).second)
        throw TuneError(line.number, "chord " + quoted(name) + " is defined twice");
}

void TuneParser::readPhrase(const SourceLine& line) {
    if (line.words.size() != 2 || !isPhraseName(line.words[1]))
        throw TuneError(line.number, "a phrase starts with 'phrase name', the name in letters, "
                                     "digits and '_'");
    const std::string& name = line.words[1];
    if (phrases.contains(name))
        throw TuneError(line.number, "phrase " + quoted(name) + " is defined twice");
    phrases[name] = readBlock(line, "phrase " + quoted(name));
}

void TuneParser::readPart(const SourceLine& line) {
    if (line.words.size() < 2)
        throw TuneError(line.number, "a part starts with 'part name channel=N program=N ...'");
    PartSource source;
    source.part.name = line.words[1];
    source.line = line.number;
    std::set<std::string, std::less<>> given;
    for (std::size_t i = 2; i < line.words.size(); ++i)
        readPartSetting(source, line.words[i], line.number, given);
    if (!given.contains("channel"))
        throw TuneError(line.number, "part " + quoted(source.part.name) + " needs a channel=N");
    const bool drums = source.part.channel == drumChannel;
    if (drums && source.part.program)
        throw TuneError(line.number, "channel 10 plays drums and takes no program");
    if (!drums && !source.part.program)
        throw TuneError(line.number, "part " + quoted(source.part.name) + " needs a program=N");
    for (const PartSource& other : partSources) {
        if (other.part.name == source.part.name)
            throw TuneError(line.number, "part " + quoted(source.part.name) + " is defined twice");
        if (other.part.channel == source.part.channel)
            throw TuneError(line.number, "channel " + std::to_string(source.part.channel) +
                                             " is already played by part " +
                                             quoted(other.part.name));
    }
    source.body = readBlock(line, "part " + quoted(source.part.name));
    partSources.push_back(std::move(source));
}

void TuneParser::readPartSetting(PartSource& source, std::string_view setting, int line,
                                 std::set<std::string, std::less<>>& given) {
    const std::size_t equals = setting.find('=');
    const std::string_view name = setting.substr(0, equals);
    if (equals == std::string_view::npos)
        throw TuneError(line, "a part setting looks like name=value, not " + quoted(setting));
    if (!given.insert(std::string(name)).second)
        throw TuneError(line, quoted(name) + " is set twice");
    const std::string_view value = setting.substr(equals + 1);
    Part& part = source.part;
    if (name == "channel")
        part.channel = number(value, line, "channel", 1, 16);
    else if (name == "program")
        part.program = number(value, line, "program", 1, 128);
    else if (name == "volume")
        part.volume = number(value, line, "volume", 0, 127);
    else if (name == "pan")
        part.pan = number(value, line, "pan", 0, 127);
    else if (name == "reverb")
        part.reverb = number(value, line, "reverb", 0, 127);
    else if (name == "velocity")
        source.style.velocity = number(value, line, "velocity", 1, 127);
    else if (name == "gate")
        source.style.gate = number(value, line, "gate", 1, 100);
    else
        throw TuneError(line, quoted(name) + " is not a part setting (channel, program, volume, "
                                             "pan, reverb, velocity, gate)");
}

std::vector<Word> TuneParser::readBlock(const SourceLine& opening, const std::string& what) {
    std::vector<Word> body;
    while (next < lines.size()) {
        const SourceLine& line = lines[next++];
        const std::string& first = line.words.front();
        if (first == "end" && line.words.size() == 1)
            return body;
        if (first == "part" || first == "phrase" || first == "end")
            throw TuneError(line.number,
                            what + " needs 'end', alone on its line, before this line");
        for (const std::string& word : line.words)
            body.push_back({word, line.number});
    }
    throw TuneError(opening.number, what + " has no 'end'");
}

void TuneParser::layOutParts() {
    for (PartSource& source : partSources) {
        const auto words = expandPhrases(source.body, phrases);
        Timeline timeline = layOutPart(words, tune.time, chords, source.style);
        if (timeline.endTick == 0)
            throw TuneError(source.line, "part " + quoted(source.part.name) + " has no music");
        source.part.notes = std::move(timeline.notes);
        source.part.endTick = timeline.endTick;
        tune.parts.push_back(source.part);
    }
}

// Parts of different lengths are a slip of the pen, and in a looping tune an audible one.
void TuneParser::checkPartsEndTogether() const {
    const Part& first = tune.parts.front();
    for (std::size_t i = 1; i < tune.parts.size(); ++i) {
        const Part& part = tune.parts[i];
        if (part.endTick != first.endTick) {
            throw TuneError(partSources[i].line, "part " + quoted(part.name) + " lasts " +
                                                     beatCount(part.endTick, tune.time) +
                                                     " but part " + quoted(first.name) + " lasts " +
                                                     beatCount(first.endTick, tune.time));
        }
    }
}

} // namespace

Tune parseTune(std::string_view source) {
    return TuneParser(source).parse();
}

} // namespace tune
