// The window of one loaded form: paints its controls, feeds it keys, clicks and timer ticks.
#pragma once

#include "platform/form.h"

#include <QRegion>
#include <QWidget>
#include <map>
#include <optional>
#include <vector>

class QPushButton;
class QTimer;

namespace tanzel {

class Application;
class PictureCache;

class FormWindow : public QWidget {
    Q_OBJECT

public:
    FormWindow(Application& app, Form& form, PictureCache& pictures);
    ~FormWindow() override;

    Form& form() const { return model; }
    // Brings the window in line with its form after an event; repaints only on change.
    void sync(bool activate);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct Drawn {
        Bounds bounds;
        bool visible = false;
        std::string picture;
        std::string caption;
    };

    void createButtons();
    void syncTimers();
    // The area whose drawing changed since the last call: the old and new place of each
    // control that moved, resized, showed, hid or changed its picture or caption.
    QRegion syncDrawing();
    const ControlDesign* controlAt(QPointF position) const;
    void paintImage(QPainter& painter, const Image& image);
    void paintLabel(QPainter& painter, const ControlDesign& design, const Label& label);
    void paintShape(QPainter& painter, const ControlDesign& design, const Shape& shape);
    void placeOnScreen();

    Application& app;
    Form& model;
    PictureCache& pictures;
    std::vector<Drawn> drawn;
    std::map<const CommandButton*, QPushButton*> buttons;
    std::map<const Timer*, QTimer*> timers;
    const ControlDesign* pressedOn = nullptr;
    bool pressed = false;
    std::optional<MousePointerShape> shownPointer;
    bool placed = false;
};

} // namespace tanzel
