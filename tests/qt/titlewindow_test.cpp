// The title and game-over windows on screen: place, pointers, buttons and the about box.
#include "pixels.h"
#include "qtgame.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

TEST(TitleWindow, OpensAtItsFixedPlaceWithItsDesignSize) {
    QtGame program;
    FormWindow& window = program.window(program.app.form<Form2>());
    EXPECT_EQ(window.geometry(), QRect(163, 162, 250, 166));
    EXPECT_TRUE(window.isVisible());
    auto* jugar = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* salir = window.findChild<QPushButton*>(QStringLiteral("Command2"));
    ASSERT_TRUE(jugar && salir);
    EXPECT_EQ(jugar->text(), QStringLiteral("Jugar"));
    EXPECT_EQ(salir->text(), QStringLiteral("Salir"));
    EXPECT_EQ(jugar->geometry(), QRect(64, 128, 65, 25));
    EXPECT_EQ(salir->geometry(), QRect(128, 128, 65, 25));
}

TEST(TitleWindow, TheLogoIsStretchedOverAllButAOnePixelStripOnTheRight) {
    QtGame program;
    const QImage image = program.grab(program.app.form<Form2>());
    const QColor back(0x01, 0x00, 0x42);
    EXPECT_EQ(countNear(image, QRect(0, 20, 249, 100), back, 6), 0);
    EXPECT_EQ(countNear(image, QRect(0, 160, 249, 6), back, 6), 0);
    EXPECT_EQ(countNear(image, QRect(249, 0, 1, 166), back, 6), 166);
}

TEST(TitleWindow, ThePointerChangesOverTheLogoAndTheLinks) {
    QtGame program;
    FormWindow& window = program.window(program.app.form<Form2>());
    QTest::mouseMove(&window, QPoint(15, 8));
    EXPECT_EQ(window.cursor().shape(), Qt::WhatsThisCursor);
    QTest::mouseMove(&window, QPoint(100, 60));
    EXPECT_EQ(window.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseMove(&window, QPoint(220, 8));
    EXPECT_EQ(window.cursor().shape(), Qt::WhatsThisCursor);
    QTest::mouseMove(&window, QPoint(249, 100));
    EXPECT_EQ(window.cursor().shape(), Qt::BitmapCursor);
}

TEST(TitleWindow, TheAboutLinksShowTheirNoticesInAnInformationBox) {
    QtGame program;
    FormWindow& window = program.window(program.app.form<Form2>());
    for (QPoint link : {QPoint(15, 8), QPoint(225, 8)}) {
        QString title;
        QString text;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        int buttons = 0;
        QTimer::singleShot(0, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_TRUE(box);
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = static_cast<int>(box->buttons().size());
            box->accept();
        });
        QTest::mouseClick(&window, Qt::LeftButton, {}, link);
        EXPECT_EQ(title, QStringLiteral("RorozeDivor"));
        EXPECT_EQ(icon, QMessageBox::Information);
        EXPECT_EQ(buttons, 1);
        EXPECT_TRUE(
            text.contains(link.x() < 100 ? QStringLiteral("freeware") : QStringLiteral("gratuita")))
            << text.toStdString();
    }
}

TEST(TitleWindow, JugarStartsAGameAndSalirEndsTheProgram) {
    QtGame program;
    FormWindow& title = program.window(program.app.form<Form2>());
    QTest::mouseClick(title.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    ASSERT_TRUE(program.app.isLoaded<Form1>());
    EXPECT_TRUE(program.window(program.app.form<Form1>()).isVisible());
    EXPECT_FALSE(title.isEnabled());
    program.app.closeRequested(program.app.form<Form1>());
    EXPECT_TRUE(title.isEnabled());
    QTest::mouseClick(title.findChild<QPushButton*>(QStringLiteral("Command2")), Qt::LeftButton);
    EXPECT_TRUE(program.app.loadedForms().empty());
}

TEST(GameOverWindow, IsCentredAndDrawsItsBannerOverTheFigure) {
    QtGame program;
    Form1& game = program.play();
    program.app.dispatch([&] { game.Score = 460; });
    program.random.creature(1, 5);
    ASSERT_TRUE(QtGame::waitFor([&] { return game.CreatureUp == 1; }));
    QTest::keyClick(&program.window(game), Qt::Key_5);
    ASSERT_TRUE(program.app.isLoaded<Form3>());
    Form3& over = program.app.form<Form3>();
    FormWindow& window = program.window(over);
    EXPECT_EQ(window.size(), QSize(237, 286));
    const QRect screen = window.screen()->geometry();
    EXPECT_LE(std::abs(window.geometry().center().x() - screen.center().x()), 1);
    EXPECT_EQ(over.Label4.Caption, " 430");
    const QImage image = program.grab(over);
    const QColor Yellow(0xFF, 0xFF, 0x00);
    const QColor Back(0x01, 0x00, 0x42);
    const QColor Banner(0x80, 0x40, 0x00);
    EXPECT_GT(countNear(image, QRect(8, 48, 121, 41), Yellow, 30), 50);
    EXPECT_GT(countNear(image, QRect(8, 8, 121, 25), Yellow, 30), 30);
    // "OVER" lies over the figure: taking the figure away uncovers no more of its letters.
    const QRect overWord(120, 168, 105, 33);
    const QColor Figure(0x6F, 0xB0, 0x2C);
    const int letters = countNear(image, overWord, Banner, 8);
    EXPECT_GT(letters, 30);
    EXPECT_GT(countNear(image, overWord, Figure, 60), 30);
    for (const auto& item : over.drawOrder())
        if (item.design->name == "Image1")
            program.app.dispatch([&] { std::get<Image*>(item.control)->Visible = false; });
    // Only anti-aliased letter edges may differ; the figure's legs cross whole strokes.
    EXPECT_NEAR(countNear(program.grab(over), overWord, Banner, 8), letters, 5);
    EXPECT_GT(countNear(image, QRect(8, 168, 72, 33), Banner, 30), 10);
    // "GAME" starts on the back colour.
    EXPECT_GT(countNear(image, QRect(0, 168, 20, 33), Back, 10), 100);
    auto* close = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    ASSERT_TRUE(close);
    EXPECT_EQ(close->geometry(), QRect(104, 224, 33, 33));
    QTest::mouseClick(close, Qt::LeftButton);
    EXPECT_FALSE(program.app.isLoaded<Form1>());
    EXPECT_TRUE(program.window(program.app.form<Form2>()).isEnabled());
}

} // namespace
