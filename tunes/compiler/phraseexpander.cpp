// Unrolls phrase references ("@name") and repeats ("|: ... :|x3") into one flat run of words.
#include "phraseexpander.h"

#include "notation.h"
#include "tuneerror.h"
#include "wording.h"

#include <algorithm>
#include <string_view>

namespace tune {

namespace {

constexpr int maxRepeats = 99;

int repeatCount(const Word& closing) {
    if (closing.text == ":|")
        return 2;
    const std::string_view text = closing.text;
    const auto count = text.starts_with(":|x") ? parseNumber(text.substr(3)) : std::nullopt;
    if (!count || *count < 2 || *count > maxRepeats)
        throw TuneError(closing.line, quoted(closing.text) +
                                          " should be ':|' or ':|xN' with N from 2 to " +
                                          std::to_string(maxRepeats));
    return *count;
}

class Expander {
public:
    explicit Expander(const Phrases& phrases)
        : phrases(phrases) {}

    void expand(const std::vector<Word>& body, std::vector<Word>& out);

private:
    void insertPhrase(const Word& reference, std::vector<Word>& out);

    const Phrases& phrases;
    std::vector<std::string> phrasesBeingExpanded;
};

void Expander::expand(const std::vector<Word>& body, std::vector<Word>& out) {
    struct OpenRepeat {
        std::size_t start;
        int line;
    };
    std::vector<OpenRepeat> openRepeats;
    for (const Word& word : body) {
        if (word.text.starts_with('@')) {
            insertPhrase(word, out);
        } else if (word.text == "|:") {
            out.push_back({"|", word.line});
            openRepeats.push_back({out.size(), word.line});
        } else if (word.text.starts_with(":|")) {
            if (openRepeats.empty())
                throw TuneError(word.line, quoted(word.text) + " without a '|:' before it");
            const int count = repeatCount(word);
            out.push_back({"|", word.line});
            const std::vector<Word> section(out.begin() + openRepeats.back().start, out.end());
            openRepeats.pop_back();
            for (int pass = 1; pass < count; ++pass)
                out.insert(out.end(), section.begin(), section.end());
        } else {
            out.push_back(word);
        }
    }
    if (!openRepeats.empty())
        throw TuneError(openRepeats.back().line, "'|:' is never closed by ':|'");
}

void Expander::insertPhrase(const Word& reference, std::vector<Word>& out) {
    const std::string name = reference.text.substr(1);
    const auto phrase = phrases.find(name);
    if (phrase == phrases.end())
        throw TuneError(reference.line, "no phrase is called " + quoted(name));
    if (std::ranges::find(phrasesBeingExpanded, name) != phrasesBeingExpanded.end())
        throw TuneError(reference.line, "phrase " + quoted(name) + " ends up playing itself");
    phrasesBeingExpanded.push_back(name);
    expand(phrase->second, out);
    phrasesBeingExpanded.pop_back();
}

} // namespace

std::vector<Word> expandPhrases(const std::vector<Word>& body, const Phrases& phrases) {
    std::vector<Word> out;
    Expander(phrases).expand(body, out);
    return out;
}

} // namespace tune
