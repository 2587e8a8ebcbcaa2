// Renders SVG pictures to pixmaps and keeps the recent ones.
#include "picturecache.h"

#include <QPainter>
#include <QSvgRenderer>

namespace tanzel {

namespace {
constexpr qsizetype CacheBytes = 6 * 1024 * 1024;
}

PictureCache::PictureCache()
    : rendered(CacheBytes) {}

PictureCache::~PictureCache() = default;

QString PictureCache::resourcePath(const Picture& picture) {
    return QStringLiteral(":/pictures/%1.svg").arg(QString::fromStdString(picture.name));
}

QSvgRenderer* PictureCache::renderer(const std::string& name) {
    auto& slot = renderers[name];
    if (!slot) {
        slot = std::make_unique<QSvgRenderer>(resourcePath(Picture{name}));
        slot->setAspectRatioMode(Qt::IgnoreAspectRatio);
    }
    return slot->isValid() ? slot.get() : nullptr;
}

QPixmap PictureCache::pixmap(const Picture& picture, QSize size) {
    if (picture.isEmpty() || size.isEmpty())
        return {};
    const QString key = QStringLiteral("%1@%2x%3")
                            .arg(QString::fromStdString(picture.name))
                            .arg(size.width())
                            .arg(size.height());
    if (QPixmap* cached = rendered.object(key))
        return *cached;
    QSvgRenderer* svg = renderer(picture.name);
    if (!svg)
        return {};
    QPixmap result(size);
    result.fill(Qt::transparent);
    QPainter painter(&result);
    painter.setRenderHint(QPainter::Antialiasing);
    svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    rendered.insert(key, new QPixmap(result),
                    static_cast<qsizetype>(size.width()) * size.height() * 4);
    return result;
}

} // namespace tanzel
