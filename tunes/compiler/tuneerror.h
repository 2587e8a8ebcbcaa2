// The error the compiler reports for bad input: a message tied to a line of the source.
#pragma once

#include <stdexcept>
#include <string>

namespace tune {

// Line 0 stands for the file as a whole, e.g. a header line that is missing.
class TuneError : public std::runtime_error {
public:
    TuneError(int line, const std::string& message)
        : std::runtime_error(message)
        , sourceLine(line) {}

    int line() const { return sourceLine; }

private:
    int sourceLine;
};

} // namespace tune
