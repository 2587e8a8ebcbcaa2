// The embedded SVG pictures, rendered once per size at device resolution.
#pragma once

#include "platform/picture.h"

#include <QCache>
#include <QPixmap>
#include <QString>
#include <map>
#include <memory>
#include <string>

class QSvgRenderer;

namespace tanzel {

class PictureCache {
public:
    PictureCache();
    ~PictureCache();

    // The picture stretched to `size` device pixels, whatever its own proportions. A missing
    // picture gives a null pixmap.
    QPixmap pixmap(const Picture& picture, QSize size);
    static QString resourcePath(const Picture& picture);

private:
    QSvgRenderer* renderer(const std::string& name);

    std::map<std::string, std::unique_ptr<QSvgRenderer>> renderers;
    QCache<QString, QPixmap> rendered;
};

} // namespace tanzel
