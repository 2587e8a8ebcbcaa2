// A window of the program: its properties, its controls built from its design, its events.
#pragma once

#include "controlarray.h"
#include "controls.h"
#include "design.h"
#include "imagelist.h"
#include "mediacontrol.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace tanzel {

// The values are the classic runtime's numbers, which the designs and the game are written in.
enum class MousePointerShape : std::int16_t {
    Default = 0,
    Arrow = 1,
    Icon = 4,
    ArrowQuestion = 14
};

enum class WindowShowState : std::int16_t { Normal = 0, Minimized = 1 };

class Form;

// What a form needs of the program that runs it, beyond its media controls' needs.
class FormRuntime : public MediaRuntime {
public:
    // Identifies a load of a form; a form loaded again gets a new one.
    virtual std::uint64_t newLoadSerial() = 0;
    // Raises the form's window and makes it the active one.
    virtual void bringToFront(Form& form) = 0;

protected:
    ~FormRuntime() = default;
};

// Forms are created by the Application on first reference. A derived form binds its controls
// by design name (`ControlArray<Image> Image2{images("Image2")}`) and its event procedures
// with onTimer, onClick and onMouseMove in its constructor.
class Form {
public:
    using ControlRef = std::variant<Image*, Label*, Shape*, CommandButton*>;
    struct DrawItem {
        const ControlDesign* design;
        ControlRef control;
    };
    struct TimerBinding {
        Timer* timer;
        std::function<void()> handler;
    };

    Form(FormRuntime& runtime, const FormDesign& design);
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    bool Enabled = true;
    WindowShowState WindowState = WindowShowState::Normal;
    MousePointerShape MousePointer = MousePointerShape::Default;

    void Show();
    // Raises the window and makes it the active one.
    void ZOrder();

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}
    virtual void Form_KeyPress(std::int16_t KeyAscii) { static_cast<void>(KeyAscii); }
    virtual void Form_MouseMove() {}

    std::string_view name() const { return formDesign.name; }
    const FormDesign& design() const { return formDesign; }
    bool isShown() const { return shown; }
    // Identifies this load of the form; a form loaded again gets a new one.
    std::uint64_t serial() const { return loadSerial; }
    // The design of a control by name; a name the design lacks is a programming error.
    const ControlDesign& designOf(std::string_view name, int index = -1) const;

    // Bottom to top: the order to paint in.
    const std::vector<DrawItem>& drawOrder() const { return drawItems; }
    const std::vector<TimerBinding>& timers() const { return timerBindings; }
    // The topmost visible control at a point of the client area (twips), or none.
    const DrawItem* controlAt(float x, float y) const;
    // Raise the control's events; a control without a handler for the event ignores it.
    void raiseClick(const ControlDesign& control);
    void raiseMouseMove(const ControlDesign* control);

protected:
    ControlArray<Image> images(std::string_view name);
    Image& image(std::string_view name);
    Label& label(std::string_view name);
    Shape& shape(std::string_view name);
    CommandButton& commandButton(std::string_view name);
    Timer& timer(std::string_view name);
    MediaControl& mediaControl(std::string_view name);
    ImageList& imageList();

    void onTimer(Timer& timer, std::function<void()> handler);
    void onClick(std::string_view control, std::function<void()> handler);
    void onMouseMove(std::string_view control, std::function<void()> handler);

private:
    using Key = std::pair<std::string_view, int>;
    template <class Control> Control& single(std::string_view name);

    FormRuntime& runtime;
    const FormDesign& formDesign;
    const std::uint64_t loadSerial;
    bool shown = false;
    std::deque<Image> imageControls;
    std::deque<Label> labelControls;
    std::deque<Shape> shapeControls;
    std::deque<CommandButton> buttonControls;
    std::deque<Timer> timerControls;
    std::deque<MediaControl> mediaControls;
    ImageList pictures;
    std::map<Key, ControlRef> byName;
    std::map<std::string_view, Timer*> timersByName;
    std::vector<DrawItem> drawItems;
    std::vector<TimerBinding> timerBindings;
    std::map<std::string_view, std::function<void()>> clickHandlers;
    std::map<std::string_view, std::function<void()>> mouseMoveHandlers;
};

} // namespace tanzel
