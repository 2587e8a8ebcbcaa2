// Drawing and input for one form.
#include "formwindow.h"

#include "cursors.h"
#include "fontmap.h"
#include "keymap.h"
#include "picturecache.h"
#include "platform/application.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cmath>

namespace tanzel {

namespace {

QRect pixelRect(float left, float top, float width, float height) {
    const auto px = [](float twips) {
        return static_cast<int>(std::lround(twips / TwipsPerPixel));
    };
    return {px(left), px(top), px(width), px(height)};
}

template <class Control> QRect pixelRect(const Control& control) {
    return pixelRect(control.Left, control.Top, control.Width, control.Height);
}

bool onWayland() {
    return QGuiApplication::platformName() == QLatin1String("wayland");
}

QColor colour(Rgb rgb) {
    return QColor::fromRgb(rgb);
}

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Centre:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

FormWindow::FormWindow(Application& app, Form& form, PictureCache& pictures)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , app(app)
    , model(form)
    , pictures(pictures)
    , timers(app, form, *this) {
    const FormDesign& design = form.design();
    setObjectName(QString::fromUtf8(design.name.data(), qsizetype(design.name.size())));
    setWindowTitle(QString::fromUtf8(design.caption.data(), qsizetype(design.caption.size())));
    // A compositor may insist on the size it gives a maximised window (weston ends the program
    // that keeps another), and Qt's own frame there offers to maximise: on Wayland the window
    // may grow for that moment, and is put back at once.
    const QSize size = pixelRect(0, 0, design.width, design.height).size();
    if (onWayland()) {
        setMinimumSize(size);
        resize(size);
    } else {
        setFixedSize(size);
    }
    setWindowIcon(QIcon(pictures.pixmap(Picture{std::string(design.icon)}, QSize(64, 64))));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    createButtons();
    drawn.resize(form.drawOrder().size());
    syncDrawing();
}

FormWindow::~FormWindow() = default;

void FormWindow::createButtons() {
    std::vector<std::pair<int, QPushButton*>> tabOrder;
    for (const auto& item : model.drawOrder()) {
        auto* const* control = std::get_if<CommandButton*>(&item.control);
        if (!control)
            continue;
        const CommandButton& buttonModel = **control;
        const ControlDesign& design = *item.design;
        auto* button = new QPushButton(QString::fromStdString(buttonModel.Caption), this);
        button->setObjectName(QString::fromUtf8(design.name.data(), qsizetype(design.name.size())));
        button->setGeometry(pixelRect(buttonModel));
        if (!design.font.family.empty())
            button->setFont(mappedFont(design.font));
        if (!buttonModel.Picture.isEmpty()) {
            const QSize iconSize(19, 19);
            button->setIcon(
                QIcon(pictures.pixmap(buttonModel.Picture, iconSize * devicePixelRatio())));
            button->setIconSize(iconSize);
            button->setAccessibleName(QStringLiteral("Close"));
        }
        const ControlDesign* clicked = &design;
        connect(button, &QPushButton::clicked, this,
                [this, clicked] { app.click(model, *clicked); });
        buttons[&buttonModel] = button;
        tabOrder.emplace_back(design.tabIndex, button);
    }
    std::sort(tabOrder.begin(), tabOrder.end());
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        setTabOrder(tabOrder[i - 1].second, tabOrder[i].second);
    if (!tabOrder.empty())
        tabOrder.front().second->setFocus();
}

void FormWindow::sync(bool activate) {
    timers.sync();
    setEnabled(model.Enabled);
    if (model.MousePointer != shownPointer) {
        shownPointer = model.MousePointer;
        if (auto cursor = cursorFor(model.MousePointer))
            setCursor(*cursor);
        else
            unsetCursor();
    }
    if (model.isShown()) {
        if (!placed) {
            placeOnScreen();
            placed = true;
        }
        if (model.WindowState != windowState)
            applyWindowState();
        if (activate) {
            raise();
            activateWindow();
        }
    }
    holdWhileLeft();
    // A punch moves only the hammer and a tick only the creatures: repainting just their old and
    // new places keeps a frame to a few small blits instead of the whole window and its texts.
    if (const QRegion changed = syncDrawing(); !changed.isEmpty())
        update(changed);
}

void FormWindow::placeOnScreen() {
    const FormDesign& design = model.design();
    QRect client = geometry();
    if (design.startPosition == StartPosition::Fixed) {
        client.moveTopLeft(pixelRect(design.startLeft, design.startTop, 0, 0).topLeft());
        setGeometry(client);
    } else if (design.startPosition == StartPosition::CentreScreen) {
        if (QScreen* target = screen()) {
            client.moveCenter(target->geometry().center());
            setGeometry(client);
        }
    }
}

// Wayland has no request to restore a window that the program minimised, and never tells of a
// minimise: there a window that its form minimises is hidden instead, and shown when restored.
void FormWindow::applyWindowState() {
    windowState = model.WindowState;
    const bool minimised = model.WindowState == WindowShowState::Minimized;
    if (onWayland())
        setVisible(!minimised);
    else if (minimised)
        showMinimized();
    else
        showNormal();
}

void FormWindow::holdWhileLeft() {
    const bool left = isMinimized() || !isActiveWindow();
    const bool hold = model.design().holdsWhenLeft && isVisible() && left && timers.anyEnabled();
    if (hold == isHeld())
        return;
    timers.setHeld(hold);
    app.sequencer().hold(hold);
    update();
}

// Runs after every event, so it compares in place and copies only what changed.
QRegion FormWindow::syncDrawing() {
    QRegion changed;
    const auto& items = model.drawOrder();
    for (std::size_t i = 0; i < items.size(); ++i) {
        Drawn& last = drawn[i];
        std::visit(
            [&](const auto* control) {
                using Control = std::decay_t<decltype(*control)>;
                const Bounds& bounds = *control;
                std::string_view picture;
                std::string_view caption;
                if constexpr (std::is_same_v<Control, Image>)
                    picture = control->Picture.name;
                if constexpr (std::is_same_v<Control, Label>)
                    caption = control->Caption;
                if (last.bounds == bounds && last.visible == control->Visible &&
                    last.picture == picture && last.caption == caption)
                    return;
                if (last.visible)
                    changed += pixelRect(last.bounds.Left, last.bounds.Top, last.bounds.Width,
                                         last.bounds.Height);
                if (control->Visible)
                    changed += pixelRect(*control);
                last = {bounds, control->Visible, std::string(picture), std::string(caption)};
            },
            items[i].control);
    }
    return changed;
}

void FormWindow::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), colour(model.design().backColour));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const auto& item : model.drawOrder()) {
        std::visit(
            [&](const auto* control) {
                using Control = std::decay_t<decltype(*control)>;
                if (!control->Visible || !event->region().intersects(pixelRect(*control)))
                    return;
                if constexpr (std::is_same_v<Control, Image>)
                    paintImage(painter, *control);
                else if constexpr (std::is_same_v<Control, Label>)
                    paintLabel(painter, *item.design, *control);
                else if constexpr (std::is_same_v<Control, Shape>)
                    paintShape(painter, *item.design, *control);
            },
            item.control);
    }
    if (isHeld())
        paintHeld(painter);
}

void FormWindow::paintImage(QPainter& painter, const Image& image) {
    const QRect target = pixelRect(image);
    if (image.Picture.isEmpty() || target.isEmpty())
        return;
    const QPixmap pixmap = pictures.pixmap(image.Picture, target.size() * devicePixelRatio());
    painter.drawPixmap(target, pixmap);
}

void FormWindow::paintLabel(QPainter& painter, const ControlDesign& design, const Label& label) {
    if (label.Caption.empty())
        return;
    painter.setFont(mappedFont(design.font));
    painter.setPen(colour(design.foreground));
    painter.drawText(pixelRect(label),
                     qtAlignment(design.alignment) | Qt::AlignTop | Qt::TextWordWrap,
                     QString::fromStdString(label.Caption));
}

// A pale bar with a red edge and red gauge lines; it shortens from the bottom up.
void FormWindow::paintShape(QPainter& painter, const ControlDesign& design, const Shape& shape) {
    const QRect bar = pixelRect(shape);
    if (bar.isEmpty())
        return;
    painter.fillRect(bar, colour(design.fill));
    painter.fillRect(bar, QBrush(colour(design.foreground), Qt::HorPattern));
    painter.setPen(QPen(colour(design.foreground), 2));
    painter.drawRect(bar.adjusted(1, 1, -1, -1));
}

void FormWindow::paintHeld(QPainter& painter) {
    painter.fillRect(rect(), QColor(0, 0, 0, 150));
    painter.setFont(mappedFont({"Impact", 24.0F, true}));
    painter.setPen(QColor(0xFFFF00));
    painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("PAUSA · PAUSED"));
}

const ControlDesign* FormWindow::controlAt(QPointF position) const {
    const auto* item = model.controlAt(static_cast<float>(position.x()) * TwipsPerPixel,
                                       static_cast<float>(position.y()) * TwipsPerPixel);
    return item ? item->design : nullptr;
}

void FormWindow::keyPressEvent(QKeyEvent* event) {
    // A held key punches once; a held game takes no punches.
    if (event->isAutoRepeat() || isHeld())
        return;
    if (auto code = keyAscii(*event))
        app.keyPress(model, *code);
    else
        QWidget::keyPressEvent(event);
}

void FormWindow::mouseMoveEvent(QMouseEvent* event) {
    app.mouseMove(model, controlAt(event->position()));
}

void FormWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || isHeld())
        return;
    const QPointF at = event->position() * TwipsPerPixel;
    for (const KeyArea& area : model.design().keyAreas) {
        if (area.bounds.contains(static_cast<float>(at.x()), static_cast<float>(at.y()))) {
            app.keyPress(model, area.keyAscii);
            return;
        }
    }
    pressed = true;
    pressedOn = controlAt(event->position());
}

// A click is a press and a release on the same control.
void FormWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !pressed)
        return;
    pressed = false;
    const ControlDesign* releasedOn = controlAt(event->position());
    if (releasedOn && releasedOn == pressedOn)
        app.click(model, *releasedOn);
}

// The close box unloads the form; the host then destroys this window.
void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();
    app.closeRequested(model);
}

void FormWindow::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        app.activatedByUser(model);
    // What the player did through the window manager is what the window is. Wayland reports no
    // minimise, and its windows that a form minimised are hidden, not minimised.
    // Queued: the compositor takes the put-back only once the maximised frame is committed.
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        QMetaObject::invokeMethod(this, &QWidget::showNormal, Qt::QueuedConnection);
    else if (event->type() == QEvent::WindowStateChange && isVisible() && !onWayland())
        windowState = model.WindowState =
            isMinimized() ? WindowShowState::Minimized : WindowShowState::Normal;
    if (event->type() == QEvent::ActivationChange || event->type() == QEvent::WindowStateChange)
        holdWhileLeft();
    QWidget::changeEvent(event);
}

// The window of an unloaded form hides before it goes: a game held until then lets the music go.
void FormWindow::hideEvent(QHideEvent* event) {
    holdWhileLeft();
    QWidget::hideEvent(event);
}

} // namespace tanzel
