// Any key, with any modifiers, delivered to the game window as the window system delivers it.
#include "programstate.h"
#include "qtgame.h"

#include <QTest>
#include <gtest/gtest.h>
#include <ios>
#include <optional>
#include <vector>

using namespace tanzel;
using namespace tanzel::test;

namespace {

constexpr Qt::KeyboardModifier modifierKeys[] = {
    Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier, Qt::MetaModifier, Qt::KeypadModifier};

// Every code below the CJK block, every special key Qt names (cursor, function, dead,
// input-method and media keys), the phone keys, and Key_unknown.
std::vector<int> wideRangeOfKeys() {
    std::vector<int> keys;
    auto span = [&](int first, int last) {
        for (int key = first; key <= last; ++key)
            keys.push_back(key);
    };
    span(0, 0x2fff);
    span(Qt::Key_Escape, 0x010012ff);
    span(Qt::Key_Context1, 0x011000ff);
    keys.push_back(Qt::Key_unknown);
    return keys;
}

// The text a keyboard sends along: the character itself, upper case with Shift, a control
// character with Ctrl; nothing for the keys that type nothing.
QString typedText(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return QStringLiteral("\r");
    case Qt::Key_Tab:
        return QStringLiteral("\t");
    case Qt::Key_Backspace:
        return QStringLiteral("\b");
    case Qt::Key_Escape:
        return QStringLiteral("\x1b");
    case Qt::Key_Delete:
        return QStringLiteral("\x7f");
    default:
        break;
    }
    if (key > 0xffff)
        return {};
    const QChar character(static_cast<char16_t>(key));
    if (character.isSurrogate())
        return {};
    if (modifiers & Qt::ControlModifier && key >= Qt::Key_A && key <= Qt::Key_Z)
        return QChar(static_cast<char16_t>(key - Qt::Key_A + 1));
    return modifiers & Qt::ShiftModifier ? QString(character).toUpper()
                                         : QString(character).toLower();
}

// The hole a key punches: the digit row and the keypad with NumLock on, and the keypad's
// navigation keys with NumLock off. Shortcuts never punch.
std::optional<int> punchedHole(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    if (!(modifiers & Qt::KeypadModifier))
        return std::nullopt;
    switch (key) {
    case Qt::Key_End:
        return 1;
    case Qt::Key_Down:
        return 2;
    case Qt::Key_PageDown:
        return 3;
    case Qt::Key_Left:
        return 4;
    case Qt::Key_Clear:
        return 5;
    case Qt::Key_Right:
        return 6;
    case Qt::Key_Home:
        return 7;
    case Qt::Key_Up:
        return 8;
    case Qt::Key_PageUp:
        return 9;
    default:
        return std::nullopt;
    }
}

// A game with a villain up in hole 5 and a friend up in hole 1, its timers held still so that
// only keys move anything.
struct GameWithCreaturesUp {
    QtGame program;
    Form1& game;
    QWindow& window;

    GameWithCreaturesUp()
        : game(program.play())
        , window(*program.window(game).windowHandle()) {
        program.app.dispatch([this] {
            raise(5, 6);
            raise(1, 3);
            game.CreatureUp = 1;
            game.GameState = TickState::Up;
            game.Timer1.Enabled = false;
            game.Timer2.Enabled = false;
        });
    }

    void raise(int hole, int kind) {
        Image& creature = game.Image2(hole);
        creature.Visible = true;
        creature.Height = game.CreatureHeight;
        creature.Top = game.Image1(hole - 1).Top;
        creature.Picture = game.ImageList1.ListImages(kind).Picture;
        creature.Tag = std::to_string(kind);
    }

    // Through the window system's own path: shortcut override, then the window's focus widget.
    void send(QEvent::Type type, int key, Qt::KeyboardModifiers modifiers, bool autoRepeat) {
        qt_handleKeyEvent(&window, type, key, modifiers, typedText(key, modifiers), autoRepeat);
    }

    bool hammerOver(int hole) const {
        return game.Image4.Visible && game.Image4.Left == game.Image2(hole).Left + game.StepUnit;
    }
};

class AnyKey : public ::testing::TestWithParam<int> {};

TEST_P(AnyKey, InTheGameWindowPunchesOnlyWhenItIsADigit) {
    const Qt::KeyboardModifiers modifiers(GetParam());
    GameWithCreaturesUp setup;
    Form1& game = setup.game;
    int punches = 0;
    int others = 0;
    for (int key : wideRangeOfKeys()) {
        const ProgramState before = ProgramState::capture(setup.program.app);
        const std::int16_t hammerBefore = game.HammerPicture;
        setup.send(QEvent::KeyPress, key, modifiers, false);
        const ProgramState pressed = ProgramState::capture(setup.program.app);
        if (std::optional<int> hole = punchedHole(key, modifiers)) {
            ++punches;
            ASSERT_NE(game.HammerPicture, hammerBefore) << "key 0x" << std::hex << key;
            ASSERT_TRUE(setup.hammerOver(*hole)) << "key 0x" << std::hex << key;
        } else {
            ++others;
            ASSERT_TRUE(pressed == before) << "key 0x" << std::hex << key << " changed:\n"
                                           << before.changesTo(pressed);
        }
        setup.send(QEvent::KeyRelease, key, modifiers, false);
        const ProgramState released = ProgramState::capture(setup.program.app);
        ASSERT_TRUE(released == pressed) << "releasing key 0x" << std::hex << key << " changed:\n"
                                         << pressed.changesTo(released);
    }
    const bool shortcut = modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
    EXPECT_EQ(punches, shortcut ? 0 : modifiers & Qt::KeypadModifier ? 18 : 9);
    EXPECT_GT(others, 17000);
    // The friend was punched once (the score cannot go below 0) and the villain once; the game
    // still runs with its window up.
    if (!shortcut) {
        EXPECT_EQ(game.Score, 230);
        EXPECT_TRUE(game.Image3(4).Visible);
        EXPECT_TRUE(game.Image3(0).Visible);
    }
    EXPECT_FALSE(game.GameOver);
    EXPECT_TRUE(setup.program.window(game).isVisible());
    EXPECT_EQ(setup.program.host.exitCode(), 0);
}

std::vector<int> everyModifierCombination() {
    std::vector<int> combinations;
    for (int mask = 0; mask < 32; ++mask) {
        int modifiers = 0;
        for (int bit = 0; bit < 5; ++bit)
            if (mask & (1 << bit))
                modifiers |= modifierKeys[bit];
        combinations.push_back(modifiers);
    }
    return combinations;
}

std::string modifierNames(const ::testing::TestParamInfo<int>& combination) {
    constexpr const char* names[] = {"Shift", "Ctrl", "Alt", "Meta", "Keypad"};
    std::string joined;
    for (int bit = 0; bit < 5; ++bit)
        if (combination.param & modifierKeys[bit])
            joined += names[bit];
    return joined.empty() ? std::string("None") : joined;
}

INSTANTIATE_TEST_SUITE_P(Modifiers, AnyKey, ::testing::ValuesIn(everyModifierCombination()),
                         modifierNames);

TEST(HeldKey, PunchesOnceHoweverLongItRepeats) {
    GameWithCreaturesUp setup;
    Form1& game = setup.game;
    const std::pair<int, Qt::KeyboardModifiers> digitKeys[] = {
        {Qt::Key_3, Qt::NoModifier},
        {Qt::Key_3, Qt::KeypadModifier},
        {Qt::Key_PageDown, Qt::KeypadModifier},
        {Qt::Key_7, Qt::ShiftModifier}};
    for (auto [key, modifiers] : digitKeys) {
        const std::int16_t hammerBefore = game.HammerPicture;
        setup.send(QEvent::KeyPress, key, modifiers, false);
        ASSERT_NE(game.HammerPicture, hammerBefore) << std::hex << key;
        const ProgramState firstPress = ProgramState::capture(setup.program.app);
        for (int repeat = 0; repeat < 50; ++repeat) {
            setup.send(QEvent::KeyRelease, key, modifiers, true);
            setup.send(QEvent::KeyPress, key, modifiers, true);
        }
        setup.send(QEvent::KeyRelease, key, modifiers, false);
        const ProgramState afterRelease = ProgramState::capture(setup.program.app);
        EXPECT_TRUE(afterRelease == firstPress)
            << "repeats of key 0x" << std::hex << key << " changed:\n"
            << firstPress.changesTo(afterRelease);
    }
}

} // namespace
