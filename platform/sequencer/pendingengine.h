// Stands in for the music engine until it comes, and hands over what it was asked meanwhile.
#pragma once

#include "musicengine.h"

#include <optional>

namespace tanzel {

// Keeps the tune it is handed and whether it plays; sounds nothing.
class PendingEngine final : public MusicEngine {
public:
    void load(std::string name, std::vector<unsigned char> midiBytes) override {
        tune = Tune{std::move(name), std::move(midiBytes)};
        playing.reset();
    }
    void unload() override {
        tune.reset();
        playing.reset();
    }
    void start(std::uint64_t playId) override { playing = playId; }
    void pause() override { playing.reset(); }
    void waitUntilReady() override {}
    std::vector<StereoFrame> render(std::size_t) override { return {}; }

    void handOver(MusicEngine& engine) {
        if (!tune)
            return;
        engine.load(std::move(tune->name), std::move(tune->bytes));
        if (playing)
            engine.start(*playing);
    }

private:
    struct Tune {
        std::string name;
        std::vector<unsigned char> bytes;
    };
    std::optional<Tune> tune;
    std::optional<std::uint64_t> playing; // the play it started, while it plays
};

} // namespace tanzel
