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
    const char* fontFile; // a face to register first, or nullptr when fontconfig knows it
};

// Wine's Tahoma and System faces are installed outside fontconfig's folders.
const std::map<std::string_view, Substitute>& substitutes() {
    static const std::map<std::string_view, Substitute> table{
        {"Tahoma", {"Tahoma", "/usr/share/wine/fonts/tahomabd.ttf"}},
        {"System", {"System", "/usr/share/wine/fonts/system.ttf"}},
        {"Impact", {"Bebas Neue", nullptr}},
        {"Times New Roman", {"Liberation Serif", nullptr}},
        {"Modern", {"Liberation Sans Narrow", nullptr}},
    };
    return table;
}

QString familyFor(std::string_view designFamily) {
    static std::map<std::string_view, QString> resolved;
    if (auto known = resolved.find(designFamily); known != resolved.end())
        return known->second;
    QString family = QString::fromUtf8(designFamily.data(), qsizetype(designFamily.size()));
    if (auto entry = substitutes().find(designFamily); entry != substitutes().end()) {
        family = entry->second.family;
        if (entry->second.fontFile) {
            QFontDatabase::addApplicationFont(QString::fromUtf8(entry->second.fontFile));
            QFontDatabase::addApplicationFont(
                QString::fromUtf8(entry->second.fontFile).replace("tahomabd", "tahoma"));
        }
    }
    resolved.emplace(designFamily, family);
    return family;
}

} // namespace

QFont mappedFont(const FontSpec& face) {
    QFont font(familyFor(face.family));
    font.setPixelSize(static_cast<int>(std::lround(face.points * 96.0F / 72.0F)));
    font.setBold(face.bold);
    font.setItalic(face.italic);
    font.setUnderline(face.underline);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

} // namespace tanzel
