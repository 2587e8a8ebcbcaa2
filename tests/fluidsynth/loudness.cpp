// Root mean square and peak of rendered frames.
#include "loudness.h"

#include <algorithm>
#include <cmath>

namespace tanzel::test {

std::vector<double> windowLoudness(const std::vector<StereoFrame>& sound,
                                   std::size_t windowFrames) {
    std::vector<double> loudness;
    for (std::size_t start = 0; start + windowFrames <= sound.size(); start += windowFrames) {
        double sum = 0;
        for (std::size_t i = start; i < start + windowFrames; ++i)
            sum += double(sound[i].left) * sound[i].left + double(sound[i].right) * sound[i].right;
        loudness.push_back(std::sqrt(sum / double(2 * windowFrames)));
    }
    return loudness;
}

float peak(const std::vector<StereoFrame>& sound) {
    float loudest = 0;
    for (const StereoFrame& frame : sound)
        loudest = std::max({loudest, std::abs(frame.left), std::abs(frame.right)});
    return loudest;
}

} // namespace tanzel::test
