// Keeps the messages of FluidSynth, ALSA and GLib off the terminal: the device reports for them.
#pragma once

namespace tanzel {

// Process-wide and idempotent; call before the first FluidSynth object is made.
void silenceLibraryChatter();

} // namespace tanzel
