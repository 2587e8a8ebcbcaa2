// Points file descriptor 2 at a temporary file and back.
#include "stderrcapture.h"

#include <sstream>
#include <unistd.h>

namespace tanzel::test {

StderrCapture::StderrCapture()
    : file(std::tmpfile())
    , savedStderr(dup(STDERR_FILENO)) {
    std::fflush(stderr);
    dup2(fileno(file), STDERR_FILENO);
}

StderrCapture::~StderrCapture() {
    restore();
    std::fclose(file);
}

void StderrCapture::restore() {
    if (savedStderr < 0)
        return;
    std::fflush(stderr);
    dup2(savedStderr, STDERR_FILENO);
    ::close(savedStderr);
    savedStderr = -1;
}

std::vector<std::string> StderrCapture::lines() {
    restore();
    std::string text;
    std::rewind(file);
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    std::vector<std::string> result;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        result.push_back(line);
    return result;
}

} // namespace tanzel::test
