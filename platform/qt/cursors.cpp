// Qt cursors for the form pointer values, with drawn ones where the window system's may be missing.
#include "cursors.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace tanzel {

namespace {

// A cursor drawn in logical pixels at the highest device pixel ratio of the screens, so that it
// stays sharp on a high-density screen. Qt's X11 back end reads the hotspot in the pixmap's own
// pixels, whatever its ratio.
QCursor drawnCursor(QSize size, QPoint hotSpot, const std::function<void(QPainter&)>& draw) {
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap shape(size * ratio);
    shape.setDevicePixelRatio(ratio);
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    draw(painter);
    painter.end();
    return QCursor(shape, qRound(hotSpot.x() * ratio), qRound(hotSpot.y() * ratio));
}

// A small square within a square, as the icon pointer has always looked.
QCursor iconPointer() {
    return drawnCursor({16, 16}, {8, 8}, [](QPainter& painter) {
        painter.fillRect(1, 1, 14, 14, Qt::white);
        painter.fillRect(2, 2, 12, 12, Qt::black);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillRect(3, 3, 10, 10, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillRect(5, 5, 6, 6, Qt::white);
        painter.fillRect(6, 6, 4, 4, Qt::black);
    });
}

// An arrow pointing at (1, 1) with a question mark beside it, black with a white outline. The
// painter leaves antialiasing off, so every edge stays a hard one at any scale.
QCursor arrowQuestion() {
    return drawnCursor({24, 24}, {1, 1}, [](QPainter& painter) {
        QPainterPath arrow;
        arrow.moveTo(1, 1);
        arrow.lineTo(1, 17);
        arrow.lineTo(5, 13);
        arrow.lineTo(8, 19);
        arrow.lineTo(10, 18);
        arrow.lineTo(7, 12);
        arrow.lineTo(12, 12);
        arrow.closeSubpath();
        QPainterPath hook;
        hook.moveTo(14, 5);
        hook.cubicTo(14, 1.5, 20, 1.5, 20, 5);
        hook.cubicTo(20, 7.5, 17, 8, 17, 10.5);
        painter.strokePath(arrow, QPen(Qt::white, 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.fillPath(arrow, Qt::black);
        painter.strokePath(hook, QPen(Qt::white, 4.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        painter.strokePath(hook, QPen(Qt::black, 2, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
        painter.fillRect(15, 12, 4, 4, Qt::white);
        painter.fillRect(16, 13, 2, 2, Qt::black);
    });
}

} // namespace

std::optional<QCursor> cursorFor(MousePointerShape mousePointer) {
    switch (mousePointer) {
    case MousePointerShape::Arrow:
        return QCursor(Qt::ArrowCursor);
    case MousePointerShape::ArrowQuestion: {
        // Qt's own "what's this" cursor falls back to a bare question mark without a cursor theme.
        static const QCursor arrowWithQuestionMark = arrowQuestion();
        return arrowWithQuestionMark;
    }
    case MousePointerShape::Icon: {
        static const QCursor icon = iconPointer();
        return icon;
    }
    case MousePointerShape::Default:
        break;
    }
    return std::nullopt;
}

} // namespace tanzel
