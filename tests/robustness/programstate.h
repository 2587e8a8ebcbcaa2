// Everything a player could see of the program, and every variable of the game behind it.
#pragma once

#include "platform/application.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tanzel::test {

// Captured between two events and compared whole: equal captures mean that nothing on any
// window and nothing the game's next tick reads has changed. Cheap enough to take after every
// single key of a sweep; the readable form is built only when two captures differ.
class ProgramState {
public:
    static ProgramState capture(const Application& app);

    // One line per property that differs, as "Form1.Image4.Left: 2340 -> 960".
    std::string changesTo(const ProgramState& later) const;

    friend bool operator==(const ProgramState&, const ProgramState&) = default;

private:
    struct Control {
        std::string_view name;
        int index = -1;
        float left = 0;
        float top = 0;
        float width = 0;
        float height = 0;
        bool visible = false;
        bool enabled = false;
        std::string picture;
        std::string tag;
        std::string caption;
        friend bool operator==(const Control&, const Control&) = default;
    };
    struct Window {
        std::string_view name;
        bool shown = false;
        bool enabled = false;
        std::int16_t windowState = 0;
        std::int16_t mousePointer = 0;
        std::vector<Control> controls;
        std::vector<std::pair<bool, int>> timers; // Enabled, Interval
        bool musicOpen = false;
        // The variables of the game window, by name; empty for the other windows.
        std::vector<std::pair<std::string_view, double>> variables;
        friend bool operator==(const Window&, const Window&) = default;
    };

    std::vector<std::pair<std::string, std::string>> properties() const;

    std::vector<Window> windows; // in load order
    std::string_view activeWindow;
};

} // namespace tanzel::test
