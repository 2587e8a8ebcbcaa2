// Owning handles for FluidSynth's objects, so each one is deleted exactly once.
#pragma once

#include <fluidsynth.h>
#include <memory>

namespace tanzel {

struct FluidDelete {
    void operator()(fluid_settings_t* settings) const { delete_fluid_settings(settings); }
    void operator()(fluid_synth_t* synth) const { delete_fluid_synth(synth); }
    void operator()(fluid_audio_driver_t* driver) const { delete_fluid_audio_driver(driver); }
    void operator()(fluid_player_t* player) const { delete_fluid_player(player); }
};

using SettingsHandle = std::unique_ptr<fluid_settings_t, FluidDelete>;
using SynthHandle = std::unique_ptr<fluid_synth_t, FluidDelete>;
using AudioDriverHandle = std::unique_ptr<fluid_audio_driver_t, FluidDelete>;
using PlayerHandle = std::unique_ptr<fluid_player_t, FluidDelete>;

} // namespace tanzel
