// Rendering, delivery and measuring for the offline device fixture.
#include "offlinedevice.h"

namespace tanzel::test {

std::string OfflineDevice::tune(int beats, std::string_view name) {
    const std::filesystem::path path = folder / name;
    writeFile(path, midiFile({heldMelody(beats)}));
    return path.string();
}

SequencerDevice::Completion OfflineDevice::recordCompletion() {
    return [this] { completions.push_back(elapsed()); };
}

void OfflineDevice::render(std::chrono::milliseconds length) {
    for (auto done = 0ms; done < length; done += step) {
        renderUndelivered(step);
        ui.drain();
    }
}

void OfflineDevice::renderUndelivered(std::chrono::milliseconds length) {
    std::vector<StereoFrame> more = device.renderOffline(length);
    ASSERT_EQ(more.size(), frames(length));
    sound.insert(sound.end(), more.begin(), more.end());
}

std::chrono::milliseconds OfflineDevice::elapsed() const {
    return std::chrono::milliseconds(sound.size() * 1000 / std::size_t(device.sampleRate()));
}

std::vector<double> OfflineDevice::loudness(std::chrono::milliseconds from,
                                            std::chrono::milliseconds to,
                                            std::chrono::milliseconds windowLength) const {
    const std::vector<StereoFrame> part(sound.begin() + std::ptrdiff_t(frames(from)),
                                        sound.begin() + std::ptrdiff_t(frames(to)));
    return windowLoudness(part, frames(windowLength));
}

std::vector<StereoFrame> OfflineDevice::soundSince(std::chrono::milliseconds from) const {
    return {sound.begin() + std::ptrdiff_t(frames(from)), sound.end()};
}

std::size_t OfflineDevice::frames(std::chrono::milliseconds length) const {
    return std::size_t(length.count()) * std::size_t(device.sampleRate()) / 1000;
}

} // namespace tanzel::test
