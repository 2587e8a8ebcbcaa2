// The built tunes as FluidSynth's own player plays them: their lengths, and sound up to the seam.
#include "platform/fluidsynth/fluidhandles.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Its file is NAME.mid; the tolerance is a beat for a tune played once, a few ms for a looped one.
struct Tune {
    const char* name;
    int beats, beatsPerMinute;
    double lengthTolerance;
};

constexpr int sampleRate = 44100, blockFrames = 64;

class BuiltTune : public ::testing::TestWithParam<Tune> {};

TEST_P(BuiltTune, LastsItsBarsAndSoundsFromItsFirstMomentIntoItsLastBeat) {
    const Tune tune = GetParam();
    const std::string path = std::string(TANZEL_RUN_DIR) + "/" + tune.name + ".mid";
    ASSERT_TRUE(fluid_is_midifile(path.c_str())) << path;
    for (const int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, nullptr, nullptr);
    const tanzel::SettingsHandle settings{new_fluid_settings()};
    fluid_settings_setnum(settings.get(), "synth.sample-rate", sampleRate);
    const tanzel::SynthHandle synth{new_fluid_synth(settings.get())};
    fluid_synth_sfload(synth.get(), "/usr/share/sounds/sf2/TimGM6mb.sf2", 1);
    const tanzel::PlayerHandle player{new_fluid_player(synth.get())};
    ASSERT_EQ(fluid_player_add(player.get(), path.c_str()), FLUID_OK);
    fluid_player_play(player.get());
    std::vector<float> block(2 * blockFrames);
    std::vector<double> soundingBlocks;
    double now = 0;
    do {
        fluid_synth_write_float(synth.get(), blockFrames, block.data(), 0, 2, block.data(), 1, 2);
        if (std::ranges::any_of(block, [](float sample) { return sample * sample > 1e-6f; }))
            soundingBlocks.push_back(now);
        now += blockFrames / static_cast<double>(sampleRate);
    } while (fluid_player_get_status(player.get()) == FLUID_PLAYER_PLAYING &&
             fluid_player_get_current_tick(player.get()) <
                 fluid_player_get_total_ticks(player.get()));

    const double beat = 60.0 / tune.beatsPerMinute;
    EXPECT_NEAR(now, tune.beats * beat, tune.lengthTolerance);
    ASSERT_FALSE(soundingBlocks.empty());
    EXPECT_LT(soundingBlocks.front(), 0.005);
    EXPECT_GT(soundingBlocks.back(), now - beat);
}

INSTANTIATE_TEST_SUITE_P(Tunes, BuiltTune,
                         ::testing::Values(Tune{"present", 20 * 4, 144, 60.0 / 144},
                                           Tune{"music", 40 * 4, 160, 0.005}),
                         [](const auto& test) { return std::string(test.param.name); });

} // namespace
