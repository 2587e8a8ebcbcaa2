// The Qt host in one QApplication offscreen: what its windows draw, where keys go, the pointer.
#include "forms/form1.h"
#include "forms/form2.h"
#include "layout/designs.h"
#include "platform/application.h"
#include "platform/qt/cursors.h"
#include "platform/qt/formwindow.h"
#include "platform/qt/picturecache.h"
#include "platform/qt/qthost.h"
#include "support/recordingsequencer.h"
#include "support/scriptedrandom.h"

#include <QApplication>
#include <QMetaEnum>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

using namespace tanzel;

namespace {

// The keypad's keys with NumLock off, in the order of the digits they stand for.
constexpr Qt::Key KeypadOneToNine[] = {Qt::Key_End,  Qt::Key_Down,  Qt::Key_PageDown,
                                       Qt::Key_Left, Qt::Key_Clear, Qt::Key_Right,
                                       Qt::Key_Home, Qt::Key_Up,    Qt::Key_PageUp};

// The hole a key punches, or 0: shortcuts never punch.
int holePunched(int key, Qt::KeyboardModifiers modifiers) {
    const auto* keypad = std::find(std::begin(KeypadOneToNine), std::end(KeypadOneToNine), key);
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    if (key >= Qt::Key_1 && key <= Qt::Key_9)
        return key - Qt::Key_0;
    return modifiers & Qt::KeypadModifier && keypad != std::end(KeypadOneToNine)
               ? 1 + int(keypad - KeypadOneToNine)
               : 0;
}

struct QtProgram : ::testing::Test {
    QtHost host;
    test::RecordingSequencer sequencer;
    test::ScriptedRandom random;
    Application app{host, sequencer, random, std::string(layout::ApplicationTitle)};
    FormWindow& title{(host.attach(app), app.start<Form2>(), *host.window(app.form<Form2>()))};

    // "Jugar" opens the game; its timers are held still so that only the test moves anything.
    Form1& play() {
        QTest::mouseClick(title.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        Form1& game = app.form<Form1>();
        app.dispatch([&] { game.Timer1.Enabled = game.Timer2.Enabled = false; });
        return game;
    }
    static QRect pixels(const Bounds& b) {
        const auto px = [](float twips) { return qRound(twips / TwipsPerPixel); };
        return {px(b.Left), px(b.Top), px(b.Width), px(b.Height)};
    }
    static QRect cell(Form1& game, int k) {
        return {pixels(game.Image2(k)).left(), pixels(game.Image1(k - 1)).top(), 65, 65};
    }
    static int ratio(const QImage& frame) { return qRound(frame.devicePixelRatio()); }

    // What the window shows; at 1x, what it repainted of itself must be what a full repaint draws.
    QImage frame(const Form& form) {
        QWidget& window = *host.window(form);
        QCoreApplication::processEvents();
        const QImage full = window.grab().toImage();
        if (ratio(full) == 1) {
            EXPECT_EQ(window.screen()->grabWindow(window.winId()).toImage(), full);
        }
        return full;
    }

    // The share of an area's pixels close to a colour: the same in each channel's top three bits.
    static double share(const QImage& frame, QRect area, QRgb colour) {
        const QRect device(area.topLeft() * ratio(frame), area.size() * ratio(frame));
        int same = 0;
        for (int y = device.top(); y <= device.bottom(); ++y)
            for (int x = device.left(); x <= device.right(); ++x)
                same += ((frame.pixel(x, y) ^ colour) & 0xE0E0E0) == 0;
        return double(same) / (device.width() * device.height());
    }

    // Whether every opaque pixel of the image's picture, rendered at device resolution, shows.
    static bool showsWhole(const QImage& frame, const Image& image) {
        const QRect place = pixels(image);
        const QImage alone =
            PictureCache().pixmap(image.Picture, place.size() * ratio(frame)).toImage();
        int opaque = 0;
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                if (qAlpha(alone.pixel(x, y)) == 255 && ++opaque &&
                    frame.pixel(place.topLeft() * ratio(frame) + QPoint(x, y)) != alone.pixel(x, y))
                    return false;
        return opaque > 0;
    }
};

// Every key Qt names with every set of modifiers, first as a held key's repeat, then pressed.
TEST_F(QtProgram, OnlyTheDigitRowAndTheKeypadPunch) {
    Form1& game = play();
    const QMetaEnum keys = QMetaEnum::fromType<Qt::Key>();
    // Shift, Control, Alt, Meta, Keypad and GroupSwitch are the six bits up from Shift's.
    for (int combination = 0; combination < 1 << 6; ++combination) {
        const auto modifiers = Qt::KeyboardModifiers::fromInt(combination * Qt::ShiftModifier);
        for (int i = 0; i < keys.keyCount(); ++i) {
            const int key = keys.value(i);
            const std::int16_t hammer = game.HammerPicture;
            for (bool autoRepeat : {true, false}) {
                QKeyEvent event(QEvent::KeyPress, key, modifiers,
                                key <= 0xFFFF ? QString(QChar(key)) : QString(), autoRepeat);
                QCoreApplication::sendEvent(host.window(game), &event);
            }
            const int hole = holePunched(key, modifiers);
            ASSERT_EQ(game.HammerPicture != hammer, hole != 0)
                << keys.key(i) << " with modifiers 0x" << std::hex << modifiers.toInt();
            ASSERT_TRUE(!hole || cell(game, hole).contains(pixels(game.Image4).center()));
        }
    }
}

// "Power" is moved off the window's edge, then its label widened: no letter was cut off before.
TEST_F(QtProgram, DrawsTheGameWindowInItsOrderAtItsScale) {
    Form1& game = play();
    Image& creature = game.Image2(5);
    Image& marker = game.Image3(4);
    Label& power = *std::get<Label*>(game.controlAt(4700, 750)->control);
    app.dispatch([&] {
        creature.Visible = marker.Visible = true;
        creature.Top = game.Image1(4).Top;
        creature.Height = game.CreatureHeight;
        creature.Picture = game.ImageList1.ListImages(6).Picture;
        game.Label1.Caption = " 88888";
        game.Shape1.Height = 786;
        power.Left = 2000;
        game.Image2(7).Height = game.CreatureHeight; // hidden, with a picture
        game.Image2(7).Picture = game.ImageList1.ListImages(1).Picture;
    });
    EXPECT_TRUE(showsWhole(frame(game), creature));
    app.dispatch([&] { marker.Picture = game.ImageList1.ListImages(9).Picture; });
    EXPECT_TRUE(showsWhole(frame(game), marker));
    QTest::keyClick(host.window(game), Qt::Key_8);
    frame(game); // the hammer moves on from here, and must leave nothing behind
    QTest::keyClick(host.window(game), Qt::Key_5);
    const QImage shown = frame(game);
    EXPECT_TRUE(showsWhole(shown, game.Image4));
    EXPECT_TRUE(cell(game, 5).contains(pixels(game.Image4).center()));
    EXPECT_FALSE(showsWhole(shown, game.Image2(7)));
    const std::tuple<const char*, QRect, QRgb, double, double> inks[] = {
        {"hint", {56, 0, 233, 17}, 0xFFFFC0, 0.1, 0.08},
        {"Power", {133, 48, 49, 25}, 0xFF0000, 0.15, 0.1},
        {"score's right end", {331, 0, 30, 33}, 0xFFFF00, 0.3, 0.15},
        {"bar's fill", {326, 73, 25, 52}, 0xFFFF80, 0.68, 0.05},
        {"bar's red", {326, 73, 25, 52}, 0xFF0000, 0.32, 0.05},
        {"bar's lost half", {326, 125, 25, 53}, 0xFFFF80, 0, 0}};
    for (const auto& [what, area, colour, about, giveOrTake] : inks)
        EXPECT_NEAR(share(shown, area, colour), about, giveOrTake) << what;
    app.dispatch([&] { power.Width = power.Height = 1500; });
    EXPECT_EQ(frame(game), shown);
}

TEST_F(QtProgram, ThePointerTakesTheShapeOfTheTopmostControlUnderIt) {
    using enum MousePointerShape;
    const std::tuple<int, int, MousePointerShape> points[] = {
        {40, 16, ArrowQuestion}, {41, 8, Arrow},   {20, 17, Arrow},
        {208, 0, ArrowQuestion}, {249, 100, Icon}, {248, 100, Arrow}};
    title.move(0, 0); // into the offscreen screen, whose 800 pixels are 400 at 2x
    for (auto [x, y, pointer] : points) {
        QTest::mouseMove(&title, {x, y});
        EXPECT_EQ(title.cursor().pixmap().toImage(), cursorFor(pointer)->pixmap().toImage())
            << x << "," << y;
    }
}

// Ours is drawn, since Qt's falls back to a bare question mark where no cursor theme is installed.
TEST(Cursors, ArrowWithQuestionMarkIsOurOwnAtAnyScale) {
    const QCursor cursor = *cursorFor(MousePointerShape::ArrowQuestion);
    const QImage shape = cursor.pixmap().toImage();
    const int scale = qRound(qGuiApp->devicePixelRatio());
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1) * scale);
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), clear = 0;
    const std::pair<QPoint, QRgb> points[] = {{{1, 1}, black},   {{0, 1}, white},  {{5, 10}, black},
                                              {{8, 17}, black},  {{17, 2}, black}, {{16, 9}, black},
                                              {{16, 13}, black}, {{10, 4}, clear}};
    for (auto [point, colour] : points)
        EXPECT_EQ(shape.pixel(point * scale + QPoint(scale / 2, scale / 2)), colour)
            << point.x() << "," << point.y();
}

} // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
