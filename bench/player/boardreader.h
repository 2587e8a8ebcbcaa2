// What the bench player sees in a picture of the game window: what stands in each of the holes.
#pragma once

#include <QImage>
#include <QRect>
#include <array>
#include <vector>

namespace tanzel::bench {

enum class HoleView {
    Empty,    // nothing in the hole
    Creature, // a creature fully risen and not yet hit
    Unclear,  // on its way up or down, or under a hit marker
};

struct HoleSight {
    HoleView view = HoleView::Unclear;
    int kind = 0; // 1 to 8 for a creature
};

// Knows every way a hole looks while the board stands still, drawn the way the game draws it
// from the same pictures and design: empty, or with one of the eight creatures fully risen, each
// under no hammer or under either pose of the hammer. A hole that matches none is unclear.
class BoardReader {
public:
    BoardReader();

    // Holes 1 to 9 at indexes 0 to 8. `window` is the game window's client area.
    std::array<HoleSight, 9> read(const QImage& window);

private:
    struct Look {
        QImage pixels;
        HoleSight sight;
    };

    HoleSight readHole(int index, const QImage& hole) const;

    std::array<QRect, 9> holes;
    std::array<std::vector<Look>, 9> looks;
    std::array<QImage, 9> lastPixels;
    std::array<HoleSight, 9> lastSights;
};

} // namespace tanzel::bench
