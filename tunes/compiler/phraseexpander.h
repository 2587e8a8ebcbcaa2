// Unrolls phrase references ("@name") and repeats ("|: ... :|x3") into one flat run of words.
#pragma once

#include "sourcelines.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tune {

using Phrases = std::map<std::string, std::vector<Word>, std::less<>>;

// Repeat signs come out as plain bar lines, so every pass of a repeat is checked for whole bars.
std::vector<Word> expandPhrases(const std::vector<Word>& body, const Phrases& phrases);

} // namespace tune
