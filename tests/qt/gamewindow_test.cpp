// The game window on screen: its size, its drawing order, its keys and its timers.
#include "pixels.h"
#include "qtgame.h"

#include <QTest>
#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

const QColor Violet(0x66, 0x00, 0xFF);
const QColor Yellow(0xFF, 0xFF, 0x00);
const QColor PaleYellow(0xFF, 0xFF, 0x80);
const QColor Red(0xFF, 0x00, 0x00);
const QColor HintYellow(0xFF, 0xFF, 0xC0);
const QRect Hole5(104, 112, 65, 65);

struct GameWindow : ::testing::Test {
    QtGame program;
    Form1& game;

    GameWindow()
        : game(program.play()) {}

    // Raises a creature of `kind` in `hole` by hand, as the tick would leave it.
    void raise(int hole, int kind) {
        program.app.dispatch([&] {
            Image& creature = game.Image2(hole);
            creature.Visible = true;
            creature.Height = game.CreatureHeight;
            creature.Top = game.Image1(hole - 1).Top;
            creature.Picture = game.ImageList1.ListImages(kind).Picture;
        });
    }
    void mark(int hole, int picture) {
        program.app.dispatch([&] {
            game.Image3(hole - 1).Visible = true;
            game.Image3(hole - 1).Picture = game.ImageList1.ListImages(picture).Picture;
        });
    }
    QImage frame() { return program.grab(game); }
};

TEST_F(GameWindow, HasTheDesignedClientSizeAndTitle) {
    FormWindow& window = program.window(game);
    EXPECT_EQ(window.size(), QSize(361, 288));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Tanzel Punch"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(GameWindow, ShowsTheBackgroundWhereNoCreatureIsUp) {
    const QImage image = frame();
    EXPECT_GT(shareNear(image, Hole5, Violet), 0.6);
    EXPECT_GT(countNear(image, QRect(56, 0, 233, 17), HintYellow), 40);
    EXPECT_GT(countNear(image, QRect(64, 272, 201, 16), HintYellow), 40);
}

TEST_F(GameWindow, DrawsTheBarPaleYellowMarkedRedWithItsTopFixed) {
    QImage image = frame();
    const QRect bar(326, 73, 25, 105);
    EXPECT_GT(shareNear(image, bar, PaleYellow, 10), 0.4);
    EXPECT_GT(shareNear(image, bar, Red, 10), 0.1);
    EXPECT_GT(countNear(image, QRect(312, 48, 49, 25), Red, 10), 20);

    program.app.dispatch([&] { game.Shape1.Height = 786; });
    image = frame();
    EXPECT_GT(shareNear(image, QRect(326, 73, 25, 52), PaleYellow, 10), 0.4);
    EXPECT_EQ(countNear(image, QRect(328, 130, 21, 45), PaleYellow, 10), 0);
}

TEST_F(GameWindow, DrawsAMarkerOverItsCreature) {
    raise(5, 6);
    QImage image = frame();
    EXPECT_LT(shareNear(image, Hole5, Violet), 0.05);
    EXPECT_EQ(countNear(image, Hole5, QColor(0xE0, 0, 0), 60), 0);
    mark(5, 9);
    image = frame();
    // The star's red outline and yellow body cover the creature.
    EXPECT_GT(countNear(image, Hole5, QColor(0xE0, 0, 0), 60), 150);
    EXPECT_GT(countNear(image, Hole5, QColor(0xFF, 0xE4, 0x19), 60), 300);
}

TEST_F(GameWindow, DrawsEveryMarkerOverEveryCreature) {
    for (int hole = 1; hole <= 9; ++hole) {
        raise(hole, 7);
        mark(hole, 12);
    }
    const QImage image = frame();
    const QColor magenta(0xFF, 0x00, 0xFF);
    for (int hole = 1; hole <= 9; ++hole) {
        const QRect cell(qRound(game.Image2(hole).Left / 15), qRound(game.Image2(hole).Top / 15),
                         65, 65);
        EXPECT_GT(countNear(image, cell, magenta, 60), 20) << hole;
    }
}

TEST_F(GameWindow, DrawsTheScoreUnderTheMarkersButOverTheCreatures) {
    program.app.dispatch([&] { game.Label1.Caption = " 88888"; });
    const QRect score(256, 0, 105, 33);
    EXPECT_GT(countNear(frame(), score, Yellow, 30), 100);

    // An opaque picture in a marker hides the score; the same picture in a creature does not.
    program.app.dispatch([&] {
        Image& creature = game.Image2(9);
        creature.Visible = true;
        creature.Move(3840, 0);
        creature.Width = 1572;
        creature.Height = 492;
        creature.Picture = game.ImageList1.ListImages(6).Picture;
    });
    EXPECT_GT(countNear(frame(), score, Yellow, 30), 100);
    program.app.dispatch([&] {
        Image& marker = game.Image3(8);
        marker.Visible = true;
        marker.Move(3840, 0);
        marker.Width = 1572;
        marker.Height = 492;
        marker.Picture = game.ImageList1.ListImages(6).Picture;
    });
    EXPECT_EQ(countNear(frame(), score.adjusted(1, 1, -1, -1), Yellow, 30), 0);
}

TEST_F(GameWindow, DrawsTheHammerOverTheMarkers) {
    raise(5, 6);
    mark(5, 12);
    const QImage before = frame();
    QTest::keyClick(&program.window(game), Qt::Key_5);
    const QImage after = frame();
    const QRect hammer(QPoint(qRound(game.Image4.Left / 15), qRound(game.Image4.Top / 15)),
                       QSize(49, 49));
    int changed = 0;
    for (int y = hammer.top(); y <= std::min(hammer.bottom(), 287); ++y)
        for (int x = hammer.left(); x <= hammer.right(); ++x)
            changed += before.pixel(x, y) != after.pixel(x, y);
    EXPECT_GT(changed, 100);
}

TEST_F(GameWindow, DigitsFromTheRowAndTheKeypadReachTheGame) {
    FormWindow& window = program.window(game);
    QTest::keyClick(&window, Qt::Key_7);
    EXPECT_EQ(game.HammerPicture, 11);
    EXPECT_EQ(game.Image4.Left, 360 + 60);
    QTest::keyClick(&window, Qt::Key_PageDown, Qt::KeypadModifier);
    EXPECT_EQ(game.HammerPicture, 10);
    EXPECT_EQ(game.Image4.Left, 2760 + 60);
    QTest::keyClick(&window, Qt::Key_A);
    QTest::keyClick(&window, Qt::Key_0);
    EXPECT_EQ(game.HammerPicture, 10);
}

TEST_F(GameWindow, AHeldKeyPunchesOnce) {
    FormWindow& window = program.window(game);
    QTest::keyPress(&window, Qt::Key_4);
    EXPECT_EQ(game.HammerPicture, 11);
    for (int i = 0; i < 5; ++i) {
        QKeyEvent repeat(QEvent::KeyPress, Qt::Key_4, Qt::NoModifier, QStringLiteral("4"), true);
        QCoreApplication::sendEvent(&window, &repeat);
    }
    EXPECT_EQ(game.HammerPicture, 11);
}

TEST_F(GameWindow, RepaintsOnlyWhenSomethingChanged) {
    program.app.dispatch([&] { game.Timer1.Enabled = false; });
    FormWindow& window = program.window(game);
    QCoreApplication::processEvents();
    int paints = 0;
    struct Counter : QObject {
        int& paints;
        explicit Counter(int& paints)
            : paints(paints) {}
        bool eventFilter(QObject*, QEvent* event) override {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter(paints);
    window.installEventFilter(&counter);
    program.app.dispatch([] {});
    program.app.dispatch([&] { game.Score = 5; });
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 0);
    program.app.dispatch([&] { game.Label1.Caption = " 5"; });
    QCoreApplication::processEvents();
    EXPECT_EQ(paints, 1);
    window.removeEventFilter(&counter);
}

TEST_F(GameWindow, AGameEndsByTheBarRunningOutWithNoKeyPressed) {
    program.random.creature(5, 1);
    program.app.dispatch([&] { game.Shape1.Height = 1; });
    ASSERT_TRUE(QtGame::waitFor([&] { return game.GameOver; }));
    ASSERT_TRUE(QtGame::waitFor([&] { return program.app.isLoaded<Form3>() && !game.Enabled; }));
    FormWindow& over = program.window(program.app.form<Form3>());
    EXPECT_TRUE(over.isVisible());
    EXPECT_EQ(over.size(), QSize(237, 286));
    EXPECT_FALSE(program.window(game).isEnabled());
}

} // namespace
