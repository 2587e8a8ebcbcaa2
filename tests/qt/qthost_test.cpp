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
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tanzel;

namespace {

struct QtProgram : ::testing::Test {
    QtHost host;
    test::RecordingSequencer sequencer;
    test::ScriptedRandom random;
    Application app{host, sequencer, random, std::string(layout::ApplicationTitle)};
    FormWindow& title{(host.attach(app), app.start<Form2>(), *host.window(app.form<Form2>()))};

    // "Jugar" opens the game, its timers held still unless it ticks: only the test moves anything.
    Form1& play(bool ticking = false) {
        QTest::mouseClick(title.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        Form1& game = app.form<Form1>();
        if (!ticking)
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

// A click or a tap anywhere in a hole's cell, whatever stands there, punches it, between cells
// nothing does; and the hole each key punches, or 0, by XKB's places 10 (1) to 19 (0) in the row.
TEST_F(QtProgram, KeysClicksAndTapsPunchTheirHoleOnce) {
    Form1& game = play();
    FormWindow& window = *host.window(game);
    static QPointingDevice* const screen = QTest::createTouchDevice(); // one for the program
    for (int hole = 1; hole <= 9; ++hole) {
        const QRect area = pixels(game.design().keyAreas[hole - 1].bounds);
        QTest::mouseClick(&window, Qt::LeftButton, {}, area.topLeft());
        EXPECT_TRUE(cell(game, hole).contains(pixels(game.Image4).center())) << hole;
        QTest::touchEvent(&window, screen).press(0, area.bottomRight());
        QTest::touchEvent(&window, screen).release(0, area.bottomRight());
        EXPECT_EQ(game.HammerPicture, 10) << "two punches on hole " << hole;
    }
    for (QPoint between : {QPoint(96, 140), QPoint(136, 106), QPoint(10, 10)}) {
        QTest::mouseClick(&window, Qt::LeftButton, {}, between);
        EXPECT_EQ(game.HammerPicture, 10) << between.x() << "," << between.y();
    }
    using enum Qt::KeyboardModifier;
    const std::tuple<const char*, int, Qt::KeyboardModifiers, QString, quint32, int> keys[] = {
        {"keypad, NumLock on", Qt::Key_7, KeypadModifier, "7", 79, 7},
        {"keypad, NumLock off", Qt::Key_PageDown, KeypadModifier, "", 89, 3},
        {"keypad Clear", Qt::Key_Clear, KeypadModifier, "", 84, 5},
        {"French &, unshifted", Qt::Key_Ampersand, NoModifier, "&", 10, 1},
        {"French 4, shifted", Qt::Key_4, ShiftModifier, "4", 13, 4},
        {"digit 0", Qt::Key_0, NoModifier, "0", 19, 0},
        {"Control+5", Qt::Key_5, ControlModifier, "", 14, 0},
        {"Alt+é", Qt::Key_Eacute, AltModifier, "é", 11, 0},
        {"a letter", Qt::Key_A, NoModifier, "a", 38, 0},
        {"arrow off the keypad", Qt::Key_Up, NoModifier, "", 111, 0}};
    for (const auto& [what, key, modifiers, text, scanCode, hole] : keys) {
        for (bool autoRepeat : {false, true}) {
            const std::int16_t hammer = game.HammerPicture;
            QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0, text, autoRepeat);
            QCoreApplication::sendEvent(&window, &event);
            EXPECT_EQ(game.HammerPicture != hammer, hole != 0 && !autoRepeat)
                << what << (autoRepeat ? ", repeated" : "");
            EXPECT_TRUE(!hole || cell(game, hole).contains(pixels(game.Image4).center())) << what;
        }
    }
}

// Left for another window or minimised, the game holds; back, it goes on where it stood.
TEST_F(QtProgram, AGameHoldsWhileItsWindowIsLeft) {
    random.draws.assign(10000, 0.5F); // villains in hole 5, for as long as the game runs
    Form1& game = play(true);
    FormWindow& window = *host.window(game);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTimer *minute = nullptr, *tick = nullptr;
    for (QTimer* timer : window.findChildren<QTimer*>())
        (timer->interval() > 1000 ? minute : tick) = timer; // a minute, or what it had left
    QWidget elsewhere;
    const auto leaveAndComeBack = [&](const std::function<void()>& leave) {
        sequencer.takeLog();
        const int minuteLeft = minute->remainingTime();
        leave();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window.isHeld(); }));
        const std::int16_t hammer = game.HammerPicture; // which every punch turns
        QTest::keyClick(&window, Qt::Key_5);
        EXPECT_EQ(game.HammerPicture, hammer);
        QTest::mouseClick(&window, Qt::LeftButton, {}, {130, 140});
        EXPECT_EQ(game.HammerPicture, hammer);
        EXPECT_FALSE(tick->isActive() || minute->isActive()); // no tick moves the board
        window.showNormal();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !window.isHeld(); }));
        EXPECT_NEAR(minute->remainingTime(), minuteLeft - 125, 125); // less by 250 ms at most
        EXPECT_TRUE(QTest::qWaitFor([&] { return tick->interval() == game.Timer1.Interval; }));
        EXPECT_EQ(sequencer.takeLog(), (std::vector<std::string>{"device hold", "device release"}));
    };
    leaveAndComeBack([&] {
        elsewhere.show();
        elsewhere.activateWindow();
    });
    leaveAndComeBack([&] {
        window.showMinimized();
        app.dispatch([] {});
        EXPECT_EQ(game.WindowState, WindowShowState::Minimized);
        EXPECT_TRUE(window.isMinimized());
    });
    EXPECT_EQ(game.WindowState, WindowShowState::Normal);
}

// The title "Jugar" minimised, restored by the player, stays so; a maximise (Qt's frame offers
// one) is put back.
TEST_F(QtProgram, AWindowThePlayerRestoredStaysRestored) {
    Form1& game = play();
    ASSERT_TRUE(title.isMinimized());
    title.showNormal();
    app.dispatch([&] { game.Label1.Caption = " 30"; });
    EXPECT_FALSE(title.isMinimized());
    EXPECT_EQ(app.form<Form2>().WindowState, WindowShowState::Normal);
    const QSize size = title.size();
    title.showMaximized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !title.isMaximized() && title.size() == size; }));
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

TEST_F(QtProgram, ThePointerTakesTheShapeOfTheTopmostControlUnderItInOurOwnPictures) {
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
    // Our own picture: Qt's is a bare question mark where no cursor theme is installed.
    const QCursor cursor = *cursorFor(MousePointerShape::ArrowQuestion);
    const QImage shape = cursor.pixmap().toImage();
    const int scale = qRound(qGuiApp->devicePixelRatio());
    EXPECT_EQ(cursor.shape(), Qt::BitmapCursor);
    EXPECT_EQ(cursor.hotSpot(), QPoint(1, 1) * scale);
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), clear = 0;
    const std::pair<QPoint, QRgb> dots[] = {{{2, 5}, black},  {{0, 5}, white},   {{8, 17}, black},
                                            {{17, 2}, black}, {{16, 13}, black}, {{10, 4}, clear}};
    for (auto [point, colour] : dots)
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
