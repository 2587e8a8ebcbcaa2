// Looking at rendered windows: how many pixels of a region are close to a colour.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <cstdlib>

namespace tanzel::test {

inline bool near(QColor a, QColor b, int tolerance = 40) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) +
               std::abs(a.blue() - b.blue()) <=
           tolerance;
}

inline int countNear(const QImage& image, QRect region, QColor colour, int tolerance = 40) {
    int count = 0;
    for (int y = region.top(); y <= region.bottom(); ++y)
        for (int x = region.left(); x <= region.right(); ++x)
            count += near(image.pixelColor(x, y), colour, tolerance);
    return count;
}

inline double shareNear(const QImage& image, QRect region, QColor colour, int tolerance = 40) {
    return double(countNear(image, region, colour, tolerance)) /
           double(region.width() * region.height());
}

} // namespace tanzel::test
