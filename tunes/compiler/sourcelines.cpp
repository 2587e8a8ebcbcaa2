// Splits tune source into numbered lines of words, leaving out comments and blank lines.
#include "sourcelines.h"

#include "tuneerror.h"

#include <algorithm>

namespace tune {

namespace {

constexpr std::string_view spaces = " \t\r";

std::vector<std::string> splitWords(std::string_view line, int number) {
    std::vector<std::string> words;
    std::size_t start = line.find_first_not_of(spaces);
    while (start != std::string_view::npos && line[start] != '#') {
        std::size_t end = start;
        if (line[start] == '[') {
            end = line.find(']', start);
            if (end == std::string_view::npos)
                throw TuneError(number, "'[' without a closing ']' on the same line");
        }
        end = std::min(line.find_first_of(spaces, end), line.size());
        words.emplace_back(line.substr(start, end - start));
        start = line.find_first_not_of(spaces, end);
    }
    return words;
}

} // namespace

std::vector<SourceLine> readSourceLines(std::string_view text) {
    std::vector<SourceLine> lines;
    int number = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        ++number;
        auto words = splitWords(text.substr(0, end), number);
        if (!words.empty())
            lines.push_back({number, std::move(words)});
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return lines;
}

} // namespace tune
