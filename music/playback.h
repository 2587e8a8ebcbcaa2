// The tune names and the media-command sequences the forms send.
#pragma once

#include "platform/mediacontrol.h"

#include <string_view>

namespace tanzel::music {

inline constexpr std::string_view TitleTune = "present.mid";
inline constexpr std::string_view GameTune = "music.mid";

// Opens a tune on the sequencer for exclusive use, after resetting the control's options.
void openExclusive(MediaControl& control, std::string_view fileName);
// Opens a tune again with the options the control already has.
void reopen(MediaControl& control, std::string_view fileName);
// Plays from the current position; with `notify` the end of the tune raises the Done event.
void play(MediaControl& control, bool notify);

} // namespace tanzel::music
