// Renders the game's SVG icon as a square PNG of a given size, for the desktop's icon theme.
//
//   tanzel-icon-render ICON.svg OUT.png SIZE
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
    // Runs on build machines, which need not have a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    bool sizeValid = false;
    const int size = arguments.size() == 4 ? arguments.at(3).toInt(&sizeValid) : 0;
    if (!sizeValid || size <= 0) {
        std::fprintf(stderr, "usage: tanzel-icon-render ICON.svg OUT.png SIZE\n");
        return 2;
    }
    QSvgRenderer svg(arguments.at(1));
    if (!svg.isValid()) {
        std::fprintf(stderr, "tanzel-icon-render: %s: not a usable SVG picture\n",
                     qPrintable(arguments.at(1)));
        return 1;
    }
    QImage icon(size, size, QImage::Format_ARGB32_Premultiplied);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter, QRectF(0, 0, size, size));
    painter.end();
    if (!icon.save(arguments.at(2), "PNG")) {
        std::fprintf(stderr, "tanzel-icon-render: cannot write %s\n", qPrintable(arguments.at(2)));
        return 1;
    }
    return 0;
}
