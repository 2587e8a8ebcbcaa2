// libFuzzer target: bytes through the MIDI file check, and whatever it accepts through FluidSynth.
#include "platform/fluidsynth/fluidhandles.h"
#include "platform/fluidsynth/smfcheck.h"
#include "wellformedsmf.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fluidsynth.h>
#include <span>
#include <string>
#include <utility>
#include <vector>

namespace {

// The check promises to be at least as strict as FluidSynth's own parser, which runs later on
// the synth thread and fails there without a word: so FluidSynth must load whatever the check
// lets through. One synthesizer serves every input; each input gets a player of its own, as the
// device makes one for each tune it plays.
class Loader {
public:
    Loader() {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, level <= FLUID_ERR ? keepError : ignore, this);
        fluid_settings_setint(settings.get(), "synth.reverb.active", 0);
        fluid_settings_setint(settings.get(), "synth.chorus.active", 0);
        synth.reset(new_fluid_synth(settings.get()));
        // Real presets, so that program changes and notes go where a tune's would.
        const char* soundFont = "/usr/share/sounds/sf2/default-GM.sf2";
        if (std::filesystem::exists(soundFont))
            fluid_synth_sfload(synth.get(), soundFont, 1);
    }

    // Loads the bytes into a new player and renders the first block, which is when FluidSynth
    // parses the file. Returns what FluidSynth complained of, if anything.
    std::vector<std::string> load(std::span<const unsigned char> bytes) {
        errors.clear();
        {
            tanzel::PlayerHandle player{new_fluid_player(synth.get())};
            fluid_player_add_mem(player.get(), bytes.data(), bytes.size());
            fluid_player_play(player.get());
            std::vector<float> block(2 * 64);
            fluid_synth_write_float(synth.get(), 64, block.data(), 0, 2, block.data(), 1, 2);
            fluid_player_stop(player.get());
        }
        fluid_synth_system_reset(synth.get());
        return std::exchange(errors, {});
    }

private:
    static void keepError(int, const char* message, void* loader) {
        static_cast<Loader*>(loader)->errors.emplace_back(message);
    }
    static void ignore(int, const char*, void*) {}

    // The synth goes before its settings.
    tanzel::SettingsHandle settings{new_fluid_settings()};
    tanzel::SynthHandle synth;
    std::vector<std::string> errors;
};

// How many inputs reached FluidSynth, printed when the run ends.
struct Tally {
    long checked = 0;
    long loaded = 0;
    ~Tally() {
        std::fprintf(stderr, "files checked: %ld, accepted and loaded by FluidSynth: %ld\n",
                     checked, loaded);
    }
};

Tally tally;

// Whatever the check accepts, FluidSynth must load without a complaint.
void checkThenLoad(std::span<const unsigned char> bytes) {
    ++tally.checked;
    if (tanzel::findSmfProblem(bytes))
        return;
    static Loader loader;
    ++tally.loaded;
    const std::vector<std::string> errors = loader.load(bytes);
    if (errors.empty())
        return;
    std::fprintf(stderr, "accepted by the check, refused by FluidSynth:\n");
    for (const std::string& error : errors)
        std::fprintf(stderr, "  %s\n", error.c_str());
    std::abort();
}

} // namespace

// Each input is tried twice: as the bytes of a file, and as the recipe for a mostly well-formed
// file, which gets past the check far more often than mutated bytes do.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    checkThenLoad(bytes);
    checkThenLoad(tanzel::fuzz::wellFormedSmf(bytes));
    return 0;
}
