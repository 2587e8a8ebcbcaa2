// A sequencer device for tests: logs every device call, plays nothing.
#pragma once

#include "platform/sequencerdevice.h"

#include <string>
#include <utility>
#include <vector>

namespace tanzel::test {

// Held exclusively, as the real device is: an open fails while a tune holds it.
struct RecordingSequencer : SequencerDevice {
    bool open(const std::string& fileName) override {
        log.push_back("device open " + fileName);
        if (!openFile.empty())
            return false;
        openFile = fileName;
        return true;
    }
    bool play(Completion completed) override {
        log.push_back("device play");
        completion = std::move(completed);
        return true;
    }
    void stop() override {
        log.push_back("device stop");
        completion = nullptr;
    }
    void close() override {
        log.push_back("device close");
        openFile.clear();
        completion = nullptr;
    }
    void hold(bool held) override { log.push_back(held ? "device hold" : "device release"); }

    // The tune reaches its end.
    void finish() {
        if (auto done = std::exchange(completion, nullptr))
            done();
    }

    std::vector<std::string> takeLog() { return std::exchange(log, {}); }

    std::vector<std::string> log;
    std::string openFile;
    Completion completion;
};

} // namespace tanzel::test
