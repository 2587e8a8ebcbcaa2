// Which key events become which character codes.
#include "platform/qt/keymap.h"

#include <gtest/gtest.h>

using namespace tanzel;

namespace {

std::optional<std::int16_t> code(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    return keyAscii(QKeyEvent(QEvent::KeyPress, key, modifiers, text));
}

TEST(KeyMap, DigitRowAndKeypadGiveTheirDigits) {
    for (int digit = 0; digit <= 9; ++digit) {
        const QString text = QString::number(digit);
        EXPECT_EQ(code(Qt::Key_0 + digit, Qt::NoModifier, text), '0' + digit);
        EXPECT_EQ(code(Qt::Key_0 + digit, Qt::KeypadModifier, text), '0' + digit);
    }
}

TEST(KeyMap, KeypadWithNumLockOffStillGivesDigits) {
    const std::pair<int, char> keypad[] = {
        {Qt::Key_End, '1'},  {Qt::Key_Down, '2'},  {Qt::Key_PageDown, '3'},
        {Qt::Key_Left, '4'}, {Qt::Key_Clear, '5'}, {Qt::Key_Right, '6'},
        {Qt::Key_Home, '7'}, {Qt::Key_Up, '8'},    {Qt::Key_PageUp, '9'}};
    for (auto [key, digit] : keypad) {
        EXPECT_EQ(code(key, Qt::KeypadModifier, {}), digit) << digit;
        // The same keys off the keypad are just arrows and type nothing.
        EXPECT_EQ(code(key, Qt::NoModifier, {}), std::nullopt) << digit;
    }
}

TEST(KeyMap, DecidesOnTheKeyNotItsText) {
    // A keyboard layout whose digit keys type other characters still punches.
    EXPECT_EQ(code(Qt::Key_7, Qt::NoModifier, QStringLiteral("è")), '7');
    EXPECT_EQ(code(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")), 'a');
    EXPECT_EQ(code(Qt::Key_Shift, Qt::ShiftModifier, {}), std::nullopt);
    EXPECT_EQ(code(Qt::Key_F5, Qt::NoModifier, {}), std::nullopt);
}

TEST(KeyMap, ShortcutsAreNotTyping) {
    EXPECT_EQ(code(Qt::Key_5, Qt::ControlModifier, QStringLiteral("5")), std::nullopt);
    EXPECT_EQ(code(Qt::Key_5, Qt::AltModifier, QStringLiteral("5")), std::nullopt);
}

} // namespace
