// The game's own tunes, once the build has made them: each sounds from its start to its end.
#include "offlinedevice.h"

#include <filesystem>

namespace tanzel::test {
namespace {

class GameTune : public OfflineDevice, public ::testing::WithParamInterface<const char*> {};

TEST_P(GameTune, SoundsFromItsStartToItsEnd) {
    const std::filesystem::path path = std::filesystem::path(TANZEL_RUN_DIR) / GetParam();
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " has not been built yet";
    ASSERT_TRUE(device.open(path.string()));
    ASSERT_TRUE(device.play(recordCompletion()));
    while (completions.empty() && elapsed() < 10min)
        render(window);
    ASSERT_EQ(completions.size(), 1u) << "no end within ten minutes";
    // The first window holds the start delay and the last one the end of the last note.
    const std::vector<double> windows = loudness(window, completions[0] - window);
    for (std::size_t i = 0; i < windows.size(); ++i)
        EXPECT_GT(windows[i], audible) << "window " << i + 1 << " of " << GetParam();
}

INSTANTIATE_TEST_SUITE_P(BuiltTunes, GameTune, ::testing::Values("present.mid", "music.mid"),
                         [](const ::testing::TestParamInfo<const char*>& tune) {
                             std::string name = tune.param;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace tanzel::test
