// Draws every still look of every hole once, then matches window pictures against them.
#include "boardreader.h"

#include "layout/designs.h"

#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>
#include <string>

namespace tanzel::bench {

namespace {

// Where the game puts the hammer after a key: one step unit (a sixteenth of a creature's
// height) right of and below the hole's corner, and 230 twips lower in its upright pose.
constexpr float CreatureHeight = 975;
constexpr float StepUnit = 60;
constexpr float UprightDrop = 230;
// Mean difference per colour channel (0 to 255) under which a hole is taken to match a look.
constexpr double MatchTolerance = 4.0;

QRect pixelRect(Bounds twips) {
    const auto px = [](float value) { return int(std::lround(value / TwipsPerPixel)); };
    return {px(twips.Left), px(twips.Top), px(twips.Width), px(twips.Height)};
}

const ControlDesign& control(std::string_view name, int index) {
    for (const ControlDesign& design : layout::gameDesign().controls)
        if (design.name == name && design.index == index)
            return design;
    qFatal("the game design has no %s(%d)", std::string(name).c_str(), index);
}

// Rendered as the game's picture cache renders: stretched, antialiased, on transparency.
QImage picture(std::string_view name, QSize size) {
    QSvgRenderer svg(QStringLiteral(":/pictures/%1.svg").arg(QLatin1String(name)));
    svg.setAspectRatioMode(Qt::IgnoreAspectRatio);
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return image;
}

struct Layer {
    std::string_view picture;
    Bounds bounds;
};

QImage windowWith(const QImage& board, const std::vector<Layer>& layers) {
    QImage window = board.copy();
    QPainter painter(&window);
    for (const Layer& layer : layers) {
        const QRect target = pixelRect(layer.bounds);
        painter.drawImage(target, picture(layer.picture, target.size()));
    }
    return window;
}

double meanDifference(const QImage& a, const QImage& b, double giveUpAbove) {
    const long limit = long(giveUpAbove * 3 * a.width() * a.height());
    long total = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto* rowA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* rowB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x)
            total += std::abs(qRed(rowA[x]) - qRed(rowB[x])) +
                     std::abs(qGreen(rowA[x]) - qGreen(rowB[x])) +
                     std::abs(qBlue(rowA[x]) - qBlue(rowB[x]));
        if (total > limit)
            return std::numeric_limits<double>::infinity();
    }
    return double(total) / (3.0 * a.width() * a.height());
}

} // namespace

BoardReader::BoardReader() {
    const FormDesign& design = layout::gameDesign();
    const QRect client = pixelRect({0, 0, design.width, design.height});
    QImage board(client.size(), QImage::Format_RGB32);
    board.fill(QColor::fromRgb(design.backColour));
    const ControlDesign& background = control("Image2", 0);
    board = windowWith(board, {{background.picture, background.bounds}});

    struct Hammer {
        std::string_view picture;
        float drop;
    };
    const std::optional<Hammer> hammers[] = {std::nullopt, Hammer{"hammer-tilted", 0},
                                             Hammer{"hammer-upright", UprightDrop}};
    const Bounds hammerSize = control("Image4", -1).bounds;
    for (int index = 0; index < 9; ++index) {
        const Bounds hole = control("Image2", index + 1).bounds;
        const Bounds risen{hole.Left, hole.Top, hole.Width, CreatureHeight};
        holes[index] = pixelRect(risen).intersected(client);
        for (int kind = 0; kind <= 8; ++kind) {
            const std::string creature = "kind" + std::to_string(kind);
            for (const auto& hammer : hammers) {
                std::vector<Layer> layers;
                if (kind > 0)
                    layers.push_back({creature, risen});
                if (hammer)
                    layers.push_back({hammer->picture,
                                      {hole.Left + StepUnit, hole.Top + StepUnit + hammer->drop,
                                       hammerSize.Width, hammerSize.Height}});
                const HoleSight sight =
                    kind > 0 ? HoleSight{HoleView::Creature, kind} : HoleSight{HoleView::Empty};
                looks[index].push_back({windowWith(board, layers).copy(holes[index]), sight});
            }
        }
    }
}

std::array<HoleSight, 9> BoardReader::read(const QImage& window) {
    const QImage pixels = window.convertToFormat(QImage::Format_RGB32);
    for (int index = 0; index < 9; ++index) {
        QImage hole = pixels.copy(holes[index]);
        // Most holes stand still between two pictures.
        if (hole != lastPixels[index]) {
            lastSights[index] = readHole(index, hole);
            lastPixels[index] = std::move(hole);
        }
    }
    return lastSights;
}

HoleSight BoardReader::readHole(int index, const QImage& hole) const {
    if (hole.size() != holes[index].size())
        return {};
    double best = MatchTolerance;
    HoleSight sight;
    for (const Look& look : looks[index]) {
        const double difference = meanDifference(hole, look.pixels, best);
        if (difference < best) {
            best = difference;
            sight = look.sight;
        }
    }
    return sight;
}

} // namespace tanzel::bench
