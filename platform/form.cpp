// Builds a form's controls from its design and routes events to its procedures.
#include "form.h"

#include <algorithm>
#include <stdexcept>

namespace tanzel {

namespace {

template <class Control> Control makeControl(const ControlDesign& design) {
    Control control;
    static_cast<Bounds&>(control) = design.bounds;
    control.Visible = design.visible;
    if constexpr (!std::is_same_v<Control, Shape>)
        control.Enabled = design.enabled;
    if constexpr (std::is_same_v<Control, Label> || std::is_same_v<Control, CommandButton>)
        control.Caption = std::string(design.caption);
    if constexpr (std::is_same_v<Control, Image> || std::is_same_v<Control, CommandButton>)
        control.Picture = Picture{std::string(design.picture)};
    return control;
}

template <class Control> Control* add(std::deque<Control>& controls, const ControlDesign& design) {
    return &controls.emplace_back(makeControl<Control>(design));
}

} // namespace

Form::Form(FormRuntime& runtime, const FormDesign& design)
    : runtime(runtime)
    , formDesign(design)
    , loadSerial(runtime.newLoadSerial())
    , pictures(design.imageList) {
    for (const ControlDesign& control : design.controls) {
        ControlRef ref;
        switch (control.type) {
        case ControlType::Image:
            ref = add(imageControls, control);
            break;
        case ControlType::Label:
            ref = add(labelControls, control);
            break;
        case ControlType::Shape:
            ref = add(shapeControls, control);
            break;
        case ControlType::CommandButton:
            ref = add(buttonControls, control);
            break;
        }
        byName.emplace(Key{control.name, control.index}, ref);
        drawItems.push_back({&control, ref});
    }
    std::reverse(drawItems.begin(), drawItems.end());
    for (const TimerDesign& timerDesign : formDesign.timers)
        timersByName[timerDesign.name] =
            &timerControls.emplace_back(Timer{timerDesign.interval, timerDesign.enabled});
    for (std::string_view media : formDesign.mediaControls)
        mediaControls.emplace_back(runtime, *this,
                                   std::string(formDesign.name) + "." + std::string(media));
}

Form::~Form() = default;

void Form::Show() {
    shown = true;
    runtime.bringToFront(*this);
}

void Form::ZOrder() {
    runtime.bringToFront(*this);
}

const Form::DrawItem* Form::controlAt(float x, float y) const {
    for (auto item = drawItems.rbegin(); item != drawItems.rend(); ++item) {
        const bool hit =
            std::visit([&](auto* control) { return control->Visible && control->contains(x, y); },
                       item->control);
        if (hit)
            return &*item;
    }
    return nullptr;
}

void Form::raiseClick(const ControlDesign& control) {
    if (auto handler = clickHandlers.find(control.name); handler != clickHandlers.end())
        handler->second();
}

void Form::raiseMouseMove(const ControlDesign* control) {
    if (!control) {
        Form_MouseMove();
    } else if (auto handler = mouseMoveHandlers.find(control->name);
               handler != mouseMoveHandlers.end()) {
        handler->second();
    }
}

ControlArray<Image> Form::images(std::string_view name) {
    std::vector<Image*> members;
    for (auto& [key, ref] : byName) {
        if (key.first != name || key.second < 0)
            continue;
        members.resize(std::max<std::size_t>(members.size(), key.second + 1));
        members[key.second] = std::get<Image*>(ref);
    }
    if (members.empty())
        throw std::logic_error("no control array " + std::string(name));
    return ControlArray<Image>(std::string(name), std::move(members));
}

template <class Control> Control& Form::single(std::string_view name) {
    auto found = byName.find(Key{name, -1});
    if (found == byName.end() || !std::holds_alternative<Control*>(found->second))
        throw std::logic_error("no control " + std::string(name) + " on " +
                               std::string(formDesign.name));
    return *std::get<Control*>(found->second);
}

Image& Form::image(std::string_view name) {
    return single<Image>(name);
}
Label& Form::label(std::string_view name) {
    return single<Label>(name);
}
Shape& Form::shape(std::string_view name) {
    return single<Shape>(name);
}
CommandButton& Form::commandButton(std::string_view name) {
    return single<CommandButton>(name);
}

Timer& Form::timer(std::string_view name) {
    auto found = timersByName.find(name);
    if (found == timersByName.end())
        throw std::logic_error("no timer " + std::string(name));
    return *found->second;
}

MediaControl& Form::mediaControl(std::string_view name) {
    const auto& names = formDesign.mediaControls;
    auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end())
        throw std::logic_error("no media control " + std::string(name));
    return mediaControls[static_cast<std::size_t>(found - names.begin())];
}

ImageList& Form::imageList() {
    return pictures;
}

void Form::onTimer(Timer& timer, std::function<void()> handler) {
    timerBindings.push_back({&timer, std::move(handler)});
}

void Form::onClick(std::string_view control, std::function<void()> handler) {
    clickHandlers[designOf(control).name] = std::move(handler);
}

void Form::onMouseMove(std::string_view control, std::function<void()> handler) {
    mouseMoveHandlers[designOf(control).name] = std::move(handler);
}

const ControlDesign& Form::designOf(std::string_view name, int index) const {
    for (const ControlDesign& control : formDesign.controls)
        if (control.name == name && control.index == index)
            return control;
    throw std::logic_error("no control " + std::string(name) + " on " +
                           std::string(formDesign.name));
}

} // namespace tanzel
