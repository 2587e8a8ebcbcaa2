// Measures rendered sound: how loud each stretch of it is.
#pragma once

#include "platform/fluidsynth/fluidsynthoptions.h"

#include <cstddef>
#include <vector>

namespace tanzel::test {

// Root mean square over both channels of each whole window of `windowFrames` frames.
std::vector<double> windowLoudness(const std::vector<StereoFrame>& sound, std::size_t windowFrames);

float peak(const std::vector<StereoFrame>& sound);

} // namespace tanzel::test
