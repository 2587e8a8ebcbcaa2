// What the music is made with: instruments, audio output, the way back to the UI thread.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace tanzel {

struct MusicOptions {
    enum class Mode {
        // Plays through the first audio driver of `audioDrivers` that opens.
        LiveAudio,
        // No audio driver: sound is made only when renderOffline asks for it, as fast as it can.
        Offline,
    };

    std::filesystem::path soundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";
    Mode mode = Mode::LiveAudio;
    // PipeWire desktops serve the PulseAudio protocol too, so it comes first.
    std::vector<std::string> audioDrivers = {"pulseaudio", "pipewire", "alsa"};
    // Runs a function later on the UI thread. Called from the synth thread: it must be thread-safe
    // and must queue the function, never run it inline.
    std::function<void(std::function<void()>)> postToUiThread;
    // How long a play waits before it sounds, counted in rendered sound, so that an open, play
    // and close in a row (a click on "Salir") makes no sound at all.
    std::chrono::milliseconds startDelay{40};
    int sampleRate = 44100;
};

// One frame of rendered sound: about -1 to 1 per channel.
struct StereoFrame {
    float left = 0;
    float right = 0;
};

} // namespace tanzel
