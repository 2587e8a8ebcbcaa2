// Finds and opens the music plugin, the only part of the game that links FluidSynth.
#pragma once

#include "platform/sequencer/musicengine.h"

#include <optional>

namespace tanzel {

// The plugin's engine maker, or nothing, after one line on stderr, when it cannot be loaded.
std::optional<MusicEngineFactory> loadMusicPlugin();

} // namespace tanzel
