// The MIDI sequencer behind every media control of the program: one per process.
#pragma once

#include <functional>
#include <string>

namespace tanzel {

// Holds at most one open tune at a time. Every failure is silent apart from the device's own
// one-line report; the callers never look at outcomes beyond keeping their own state.
class SequencerDevice {
public:
    using Completion = std::function<void()>;

    virtual ~SequencerDevice() = default;

    // Opens a MIDI file, relative to the working folder. False if a tune is already open or
    // the file is not a playable MIDI file.
    virtual bool open(const std::string& fileName) = 0;
    // Plays from the current position. `completed`, when set, is called on the UI thread once
    // the tune reaches its end, and never for a play that a later stop, close or open ended.
    virtual bool play(Completion completed) = 0;
    // Pauses at the current position.
    virtual void stop() = 0;
    virtual void close() = 0;
    // While held, as when the player leaves a game, the tune pauses where it is and a play asked
    // for meanwhile waits; on release both go on. A completion stays due.
    virtual void hold(bool held) = 0;
};

} // namespace tanzel
