// Takes the program's state apart control by control, and spells out what changed.
#include "programstate.h"

#include "forms/form1.h"
#include "forms/form2.h"

#include <algorithm>
#include <map>
#include <sstream>
#include <type_traits>
#include <variant>

namespace tanzel::test {

namespace {

std::vector<std::pair<std::string_view, double>> gameVariables(const Form1& game) {
    return {{"GameState", static_cast<double>(game.GameState)},
            {"Spawning", game.Spawning},
            {"Level", game.Level},
            {"Speed", game.Speed},
            {"StepUnit", game.StepUnit},
            {"CreatureHeight", game.CreatureHeight},
            {"CreatureUp", game.CreatureUp},
            {"UpTicks", game.UpTicks},
            {"SpeedUpDue", game.SpeedUpDue},
            {"GameOver", game.GameOver},
            {"BarUnit", game.BarUnit},
            {"Score", game.Score},
            {"HammerPicture", game.HammerPicture},
            {"HammerDrop", game.HammerDrop},
            {"Kind1", game.Kind1},
            {"Kind2", game.Kind2},
            {"Kind3", game.Kind3},
            {"Hole1", game.Hole1},
            {"Hole2", game.Hole2},
            {"Hole3", game.Hole3}};
}

template <class Value> std::string text(const Value& value) {
    std::ostringstream out;
    out << value;
    return out.str();
}

} // namespace

ProgramState ProgramState::capture(const Application& app) {
    ProgramState state;
    if (const Form* active = app.activeForm())
        state.activeWindow = active->name();
    for (const Form* form : app.loadedForms()) {
        Window window{.name = form->name(),
                      .shown = form->isShown(),
                      .enabled = form->Enabled,
                      .windowState = static_cast<std::int16_t>(form->WindowState),
                      .mousePointer = static_cast<std::int16_t>(form->MousePointer)};
        for (const Form::DrawItem& item : form->drawOrder()) {
            Control control{.name = item.design->name, .index = item.design->index};
            std::visit(
                [&](const auto* shown) {
                    using Type = std::decay_t<decltype(*shown)>;
                    control.left = shown->Left;
                    control.top = shown->Top;
                    control.width = shown->Width;
                    control.height = shown->Height;
                    control.visible = shown->Visible;
                    if constexpr (!std::is_same_v<Type, Shape>)
                        control.enabled = shown->Enabled;
                    if constexpr (std::is_same_v<Type, Image>) {
                        control.picture = shown->Picture.name;
                        control.tag = shown->Tag;
                    }
                    if constexpr (std::is_same_v<Type, CommandButton>)
                        control.picture = shown->Picture.name;
                    if constexpr (std::is_same_v<Type, Label> ||
                                  std::is_same_v<Type, CommandButton>)
                        control.caption = shown->Caption;
                },
                item.control);
            window.controls.push_back(std::move(control));
        }
        for (const Form::TimerBinding& binding : form->timers())
            window.timers.emplace_back(binding.timer->Enabled, binding.timer->Interval);
        if (const auto* game = dynamic_cast<const Form1*>(form)) {
            window.musicOpen = game->MMControl1.isOpen();
            window.variables = gameVariables(*game);
        } else if (const auto* title = dynamic_cast<const Form2*>(form)) {
            window.musicOpen = title->MMControl1.isOpen();
        }
        state.windows.push_back(std::move(window));
    }
    return state;
}

std::vector<std::pair<std::string, std::string>> ProgramState::properties() const {
    std::vector<std::pair<std::string, std::string>> all{{"active window", text(activeWindow)}};
    for (const Window& window : windows) {
        const std::string form(window.name);
        auto add = [&](const std::string& name, const std::string& value) {
            all.emplace_back(form + "." + name, value);
        };
        add("shown", text(window.shown));
        add("Enabled", text(window.enabled));
        add("WindowState", text(window.windowState));
        add("MousePointer", text(window.mousePointer));
        add("music open", text(window.musicOpen));
        for (const Control& control : window.controls) {
            const std::string name =
                std::string(control.name) +
                (control.index < 0 ? std::string() : "(" + text(control.index) + ")") + ".";
            add(name + "Left", text(control.left));
            add(name + "Top", text(control.top));
            add(name + "Width", text(control.width));
            add(name + "Height", text(control.height));
            add(name + "Visible", text(control.visible));
            add(name + "Enabled", text(control.enabled));
            add(name + "Picture", control.picture);
            add(name + "Tag", control.tag);
            add(name + "Caption", control.caption);
        }
        for (std::size_t i = 0; i < window.timers.size(); ++i) {
            add("timer " + text(i) + ".Enabled", text(window.timers[i].first));
            add("timer " + text(i) + ".Interval", text(window.timers[i].second));
        }
        for (const auto& [name, value] : window.variables)
            add(std::string(name), text(value));
    }
    return all;
}

std::string ProgramState::changesTo(const ProgramState& later) const {
    const auto beforeList = properties();
    const auto afterList = later.properties();
    const std::map<std::string, std::string> before(beforeList.begin(), beforeList.end());
    const std::map<std::string, std::string> after(afterList.begin(), afterList.end());
    std::string changes;
    auto line = [&](const std::string& name, const std::string& from, const std::string& to) {
        changes += name + ": " + from + " -> " + to + "\n";
    };
    for (const auto& [name, value] : before) {
        auto found = after.find(name);
        if (found == after.end())
            line(name, value, "(gone)");
        else if (found->second != value)
            line(name, value, found->second);
    }
    for (const auto& [name, value] : after)
        if (!before.contains(name))
            line(name, "(none)", value);
    return changes;
}

} // namespace tanzel::test
