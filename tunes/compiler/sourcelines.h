// Splits tune source into numbered lines of words, leaving out comments and blank lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tune {

struct Word {
    std::string text;
    int line = 0;
};

struct SourceLine {
    int number = 0;
    std::vector<std::string> words;
};

// A bracketed chord such as "[C4 E4 G4]/2" stays one word. A "#" that starts a word starts a
// comment, so that "C#4" is still a note.
std::vector<SourceLine> readSourceLines(std::string_view text);

} // namespace tune
