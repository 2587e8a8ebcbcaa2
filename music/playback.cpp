// The media-command sequences the forms send.
#include "playback.h"

#include <string>

namespace tanzel::music {

void openExclusive(MediaControl& control, std::string_view fileName) {
    control.Notify = false;
    control.Wait = true;
    control.Shareable = false;
    reopen(control, fileName);
}

void reopen(MediaControl& control, std::string_view fileName) {
    control.DeviceType = std::string("Sequencer");
    control.FileName = std::string(fileName);
    control.Command = "Open";
}

void play(MediaControl& control, bool notify) {
    control.Notify = notify;
    control.Command = "Play";
}

} // namespace tanzel::music
