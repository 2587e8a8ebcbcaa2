// Qt cursors for the form pointer values, with pictures of our own where the window system's may
// be missing.
#include "cursors.h"

#include "picturecache.h"

#include <QGuiApplication>
#include <QPainter>
#include <QSvgRenderer>

namespace tanzel {

namespace {

// A cursor from one of our pictures, drawn at the highest device pixel ratio of the screens so
// that it stays sharp on a high-density screen. Qt's X11 back end reads the hotspot in the
// pixmap's own pixels, whatever its ratio.
QCursor pictureCursor(const char* picture, QPoint hotSpot) {
    QSvgRenderer renderer(PictureCache::resourcePath(Picture{picture}));
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap shape(renderer.defaultSize() * ratio);
    shape.setDevicePixelRatio(ratio);
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    renderer.render(&painter, QRectF(QPointF(0, 0), renderer.defaultSize()));
    painter.end();
    return QCursor(shape, qRound(hotSpot.x() * ratio), qRound(hotSpot.y() * ratio));
}

} // namespace

std::optional<QCursor> cursorFor(MousePointerShape mousePointer) {
    switch (mousePointer) {
    case MousePointerShape::Arrow:
        return QCursor(Qt::ArrowCursor);
    case MousePointerShape::ArrowQuestion: {
        // Qt's own "what's this" cursor falls back to a bare question mark without a cursor theme.
        static const QCursor arrowWithQuestionMark = pictureCursor("cursor-arrow-question", {1, 1});
        return arrowWithQuestionMark;
    }
    case MousePointerShape::Icon: {
        static const QCursor icon = pictureCursor("cursor-icon", {8, 8});
        return icon;
    }
    case MousePointerShape::Default:
        break;
    }
    return std::nullopt;
}

} // namespace tanzel
