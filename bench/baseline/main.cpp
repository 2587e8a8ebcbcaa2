// The lightest Qt program the game is measured against: an empty window the game window's size.
#include <QApplication>
#include <QPainter>
#include <QTimer>
#include <QWidget>

namespace {

// It does only what the measurements need of it: a click starts an idle 50 ms precise timer,
// as "Jugar" starts the game's tick, and every key repaints the window, as a punch does.
class EmptyWindow : public QWidget {
public:
    EmptyWindow() {
        setWindowTitle(QStringLiteral("Bench baseline"));
        setFixedSize(361, 288);
        tick.setTimerType(Qt::PreciseTimer);
        tick.setInterval(50);
    }

protected:
    void mousePressEvent(QMouseEvent*) override { tick.start(); }
    void keyPressEvent(QKeyEvent*) override { update(); }
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), palette().window()); }

private:
    QTimer tick;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    EmptyWindow window;
    window.show();
    return QApplication::exec();
}
