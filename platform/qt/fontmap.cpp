// One table of font substitutes, registered with Qt on first use.
#include "fontmap.h"

#include <QFontDatabase>
#include <QString>
#include <cmath>
#include <map>
#include <string_view>

namespace tanzel {

namespace {

struct Substitute {
    QString family;
    const char* fontFile = nullptr; // a face to register first, or nullptr when fontconfig knows it
    float scale = 1.0F;
};

// Wine's Tahoma is installed outside fontconfig's folders. Wine's System is a bitmap face: scaled
// for a high-density screen its letters fall apart, and Qt 6.4 leaks their glyphs on every repaint.
// Modern, a narrow stroke face, sets "Power" within the 49 pixels of its label; Liberation Sans
// Narrow needs nine tenths of the size to do the same.
const std::map<std::string_view, Substitute>& substitutes() {
    static const std::map<std::string_view, Substitute> table{
        {"Tahoma", {"Tahoma", "/usr/share/wine/fonts/tahomabd.ttf"}},
        {"System", {"Liberation Sans"}},
        {"Impact", {"Bebas Neue"}},
        {"Times New Roman", {"Liberation Serif"}},
        {"Modern", {"Liberation Sans Narrow", nullptr, 0.9F}},
    };
    return table;
}

const Substitute& substituteFor(std::string_view designFamily) {
    static std::map<std::string_view, Substitute> resolved;
    if (auto known = resolved.find(designFamily); known != resolved.end())
        return known->second;
    Substitute substitute{QString::fromUtf8(designFamily.data(), qsizetype(designFamily.size()))};
    if (auto entry = substitutes().find(designFamily); entry != substitutes().end()) {
        substitute = entry->second;
        if (substitute.fontFile) {
            QFontDatabase::addApplicationFont(QString::fromUtf8(substitute.fontFile));
            QFontDatabase::addApplicationFont(
                QString::fromUtf8(substitute.fontFile).replace("tahomabd", "tahoma"));
        }
    }
    return resolved.emplace(designFamily, substitute).first->second;
}

} // namespace

QFont mappedFont(const FontSpec& face) {
    const Substitute& substitute = substituteFor(face.family);
    QFont font(substitute.family);
    font.setPixelSize(
        static_cast<int>(std::lround(face.points * 96.0F / 72.0F * substitute.scale)));
    font.setBold(face.bold);
    font.setItalic(face.italic);
    font.setUnderline(face.underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace tanzel
