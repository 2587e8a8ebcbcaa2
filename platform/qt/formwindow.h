// The window of one loaded form: paints its controls, feeds it keys, clicks and timer ticks.
#pragma once

#include "formtimers.h"
#include "platform/form.h"

#include <QRegion>
#include <QWidget>
#include <map>
#include <optional>
#include <vector>

class QPushButton;

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
    // Whether its game is waiting for the player to come back to the window.
    bool isHeld() const { return timers.isHeld(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    struct Drawn {
        Bounds bounds;
        bool visible = false;
        std::string picture;
        std::string caption;
    };

    void createButtons();
    void applyWindowState();
    // Holds the game while the player is away from its window, and lets it go on when back.
    void holdWhileLeft();
    // The area whose drawing changed since the last call: the old and new place of each
    // control that moved, resized, showed, hid or changed its picture or caption.
    QRegion syncDrawing();
    const ControlDesign* controlAt(QPointF position) const;
    void paintImage(QPainter& painter, const Image& image);
    void paintLabel(QPainter& painter, const ControlDesign& design, const Label& label);
    void paintShape(QPainter& painter, const ControlDesign& design, const Shape& shape);
    void paintHeld(QPainter& painter);
    void placeOnScreen();

    Application& app;
    Form& model;
    PictureCache& pictures;
    std::vector<Drawn> drawn;
    std::map<const CommandButton*, QPushButton*> buttons;
    FormTimers timers;
    // The state last asked of the window system or read back from it: a form's WindowState is
    // applied only when the form changes it, so that what the player did is never undone.
    std::optional<WindowShowState> windowState;
    const ControlDesign* pressedOn = nullptr;
    bool pressed = false;
    std::optional<MousePointerShape> shownPointer;
    bool placed = false;
};

} // namespace tanzel
