// Key events to character codes.
#include "keymap.h"

namespace tanzel {

namespace {

std::optional<char> keypadDigitWithoutNumLock(int key) {
    switch (key) {
    case Qt::Key_End:
        return '1';
    case Qt::Key_Down:
        return '2';
    case Qt::Key_PageDown:
        return '3';
    case Qt::Key_Left:
        return '4';
    case Qt::Key_Clear:
        return '5';
    case Qt::Key_Right:
        return '6';
    case Qt::Key_Home:
        return '7';
    case Qt::Key_Up:
        return '8';
    case Qt::Key_PageUp:
        return '9';
    case Qt::Key_Insert:
        return '0';
    default:
        return std::nullopt;
    }
}

// The digit row's place on the keyboard as X11 and Wayland number it (XKB key codes, the kernel's
// plus 8), whatever the layout types there: AZERTY gives & é " ' ( - è _ ç without Shift.
std::optional<char> digitRowByPlace(quint32 scanCode) {
    constexpr quint32 DigitOne = 10;
    constexpr quint32 DigitZero = 19;
    if (scanCode < DigitOne || scanCode > DigitZero)
        return std::nullopt;
    return scanCode == DigitZero ? '0' : static_cast<char>('1' + (scanCode - DigitOne));
}

} // namespace

std::optional<std::int16_t> keyAscii(const QKeyEvent& event) {
    const int key = event.key();
    const auto modifiers = event.modifiers();
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    if (key >= Qt::Key_0 && key <= Qt::Key_9)
        return static_cast<std::int16_t>(key);
    if (modifiers & Qt::KeypadModifier) {
        if (auto digit = keypadDigitWithoutNumLock(key))
            return static_cast<std::int16_t>(*digit);
    }
    if (auto digit = digitRowByPlace(event.nativeScanCode()))
        return static_cast<std::int16_t>(*digit);
    const QString text = event.text();
    if (text.size() == 1 && text.at(0).isPrint())
        return static_cast<std::int16_t>(text.at(0).unicode());
    return std::nullopt;
}

} // namespace tanzel
