// At twice the pixel density the windows are twice the size and the pictures stay sharp.
#include "qtgame.h"

#include <QPainter>
#include <QSvgRenderer>
#include <algorithm>
#include <gtest/gtest.h>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// Mean difference per colour channel between two images of one size.
double meanDifference(const QImage& a, const QImage& b) {
    long total = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            total += std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                     std::abs(p.blue() - q.blue());
        }
    }
    return double(total) / (3.0 * a.width() * a.height());
}

QImage rendered(const QString& path, QSize size) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer svg(path);
    svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QPainter painter(&image);
    svg.render(&painter);
    return image;
}

TEST(HighDensity, WindowsAreTwiceTheSizeInDevicePixels) {
    QtGame program;
    Form1& game = program.play();
    FormWindow& window = program.window(game);
    ASSERT_EQ(window.devicePixelRatio(), 2.0);
    EXPECT_EQ(window.size(), QSize(361, 288));
    EXPECT_EQ(program.grab(game).size(), QSize(722, 576));
}

TEST(HighDensity, PicturesAreRenderedAtDeviceResolutionNotScaledUp) {
    QtGame program;
    Form1& game = program.play();
    program.app.dispatch([&] {
        Image& creature = game.Image2(5);
        creature.Visible = true;
        creature.Height = game.CreatureHeight;
        creature.Top = game.Image1(4).Top;
        creature.Picture = game.ImageList1.ListImages(8).Picture;
    });
    const QImage shown = program.grab(game).copy(QRect(104 * 2, 112 * 2, 130, 130));
    const QImage crisp = rendered(QStringLiteral(":/pictures/kind8.svg"), QSize(130, 130));
    // What a picture drawn at one device pixel per logical pixel and scaled up looks like.
    const QImage scaledUp = rendered(QStringLiteral(":/pictures/kind8.svg"), QSize(65, 65))
                                .scaled(130, 130, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const double fromCrisp = meanDifference(shown, crisp);
    EXPECT_LT(fromCrisp, 1.0);
    EXPECT_LT(fromCrisp * 4, meanDifference(shown, scaledUp));
}

} // namespace
