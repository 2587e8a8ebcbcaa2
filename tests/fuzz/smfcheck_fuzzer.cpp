// libFuzzer target: whatever the MIDI file check accepts, FluidSynth must load without a complaint.
#include "platform/fluidsynth/fluidhandles.h"
#include "platform/sequencer/smfcheck.h"

#include <array>
#include <cstdio>
#include <cstdlib>

namespace {

// FluidSynth tells of a file it cannot parse only in its log, and only once its player renders.
[[noreturn]] void abortOnComplaint(int, const char* message, void*) {
    std::fprintf(stderr, "accepted by the check, refused by FluidSynth: %s\n", message);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (tanzel::findSmfProblem({data, size}))
        return 0;
    static const tanzel::SettingsHandle settings{new_fluid_settings()};
    static const tanzel::SynthHandle synth{[] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, level <= FLUID_ERR ? abortOnComplaint : nullptr, nullptr);
        return new_fluid_synth(settings.get());
    }()};
    const tanzel::PlayerHandle player{new_fluid_player(synth.get())};
    fluid_player_add_mem(player.get(), data, size);
    fluid_player_play(player.get());
    std::array<float, 128> block{};
    fluid_synth_write_float(synth.get(), 64, block.data(), 0, 2, block.data(), 1, 2);
    return 0;
}
