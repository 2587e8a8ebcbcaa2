// Installs do-nothing log handlers in FluidSynth, ALSA and GLib.
#include "librarychatter.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>
#include <glib.h>
#include <mutex>

namespace tanzel {

namespace {

void ignoreFluidMessage(int, const char*, void*) {}

// ALSA's handler is variadic in C; its arguments are never read.
void ignoreAlsaMessage(const char*, int, const char*, int, const char*, ...) {}

void ignoreGLibMessage(const gchar*, GLogLevelFlags, const gchar*, gpointer) {}

} // namespace

void silenceLibraryChatter() {
    static std::once_flag installed;
    std::call_once(installed, [] {
        for (int level = FLUID_PANIC; level <= FLUID_DBG; ++level)
            fluid_set_log_function(level, ignoreFluidMessage, nullptr);
        snd_lib_error_set_handler(ignoreAlsaMessage);
        // FluidSynth's DLS loader (libinstpatch) logs through GLib without a log domain, for
        // instance when it is handed a broken SoundFont. Other domains are left alone.
        g_log_set_handler(nullptr, static_cast<GLogLevelFlags>(G_LOG_LEVEL_MASK | G_LOG_FLAG_FATAL),
                          ignoreGLibMessage, nullptr);
    });
}

} // namespace tanzel
