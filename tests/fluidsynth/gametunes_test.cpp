// The game's own tunes, once the build has made them: each sounds from its start to its end,
// and lasts as long as it is meant to.
#include "offlinedevice.h"

#include <filesystem>

namespace tanzel::test {
namespace {

struct Tune {
    const char* file;
    std::chrono::seconds shortest;
    std::chrono::seconds longest;
};

class GameTune : public OfflineDevice, public ::testing::WithParamInterface<Tune> {};

TEST_P(GameTune, SoundsFromItsStartToItsEnd) {
    const Tune tune = GetParam();
    const std::filesystem::path path = std::filesystem::path(TANZEL_RUN_DIR) / tune.file;
    if (!std::filesystem::exists(path))
        GTEST_SKIP() << path << " has not been built yet";
    ASSERT_TRUE(device.open(path.string()));
    ASSERT_TRUE(device.play(recordCompletion()));
    while (completions.empty() && elapsed() < 10min)
        render(window);
    ASSERT_EQ(completions.size(), 1u) << "no end within ten minutes";
    EXPECT_GE(completions[0], tune.shortest);
    EXPECT_LE(completions[0], tune.longest);
    // The first window holds the start delay and the last one the end of the last note.
    const std::vector<double> windows = loudness(window, completions[0] - window);
    for (std::size_t i = 0; i < windows.size(); ++i)
        EXPECT_GT(windows[i], audible) << "window " << i + 1 << " of " << tune.file;
}

using namespace std::chrono_literals;

INSTANTIATE_TEST_SUITE_P(BuiltTunes, GameTune,
                         ::testing::Values(Tune{"present.mid", 20s, 40s},
                                           Tune{"music.mid", 45s, 90s}),
                         [](const ::testing::TestParamInfo<Tune>& tune) {
                             std::string name = tune.param.file;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
} // namespace tanzel::test
