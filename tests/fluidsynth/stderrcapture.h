// Catches what the process writes to stderr (file descriptor 2) while it lives.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace tanzel::test {

class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    // Stops capturing and returns the lines written so far, without their line ends.
    std::vector<std::string> lines();

private:
    void restore();

    std::FILE* file;
    int savedStderr;
};

} // namespace tanzel::test
