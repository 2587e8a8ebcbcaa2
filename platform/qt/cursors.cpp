// Qt cursors for the form pointer values, with a drawn one for the icon pointer.
#include "cursors.h"

#include <QPainter>
#include <QPixmap>

namespace tanzel {

namespace {

// A small square within a square, as the icon pointer has always looked.
QCursor iconPointer() {
    QPixmap shape(16, 16);
    shape.fill(Qt::transparent);
    QPainter painter(&shape);
    painter.setPen(Qt::white);
    painter.drawRect(1, 1, 13, 13);
    painter.drawRect(5, 5, 5, 5);
    painter.setPen(Qt::black);
    painter.drawRect(2, 2, 11, 11);
    painter.fillRect(6, 6, 4, 4, Qt::black);
    return QCursor(shape, 8, 8);
}

} // namespace

std::optional<QCursor> cursorFor(MousePointerShape mousePointer) {
    switch (mousePointer) {
    case MousePointerShape::Arrow:
        return QCursor(Qt::ArrowCursor);
    case MousePointerShape::ArrowQuestion:
        return QCursor(Qt::WhatsThisCursor);
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
