// Turns a Qt key event into the character code that Form_KeyPress expects.
#pragma once

#include <QKeyEvent>
#include <optional>

namespace tanzel {

// The digit row and the keypad both give "1" to "9"; with NumLock off the keypad's navigation
// keys still give their digits, since the game tells players to use the keypad. Decided on
// key() and modifiers, not text(), and the digit row also by its place, so that every layout
// punches with it. Keys that type no character give nothing; one key gives at most one code.
std::optional<std::int16_t> keyAscii(const QKeyEvent& event);

} // namespace tanzel
