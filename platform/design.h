// The design of a window as data: its own properties and its controls, topmost first.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tanzel {

using Rgb = std::uint32_t; // 0xRRGGBB

struct Bounds {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;

    bool contains(float x, float y) const {
        return x >= Left && y >= Top && x < Left + Width && y < Top + Height;
    }
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

// The face named by the design; the host maps it to an installed substitute.
struct FontSpec {
    std::string_view family;
    float points = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
};

enum class ControlType { Image, Label, Shape, CommandButton };
enum class Alignment { Left, Centre, Right };
enum class StartPosition { WindowingSystem, Fixed, CentreScreen };

struct ControlDesign {
    ControlType type = ControlType::Image;
    std::string_view name;
    int index = -1; // -1 for a control that is not a member of a control array
    Bounds bounds;
    std::string_view caption;
    std::string_view picture;
    FontSpec font;
    Rgb foreground = 0;
    Rgb fill = 0;
    Alignment alignment = Alignment::Left;
    bool visible = true;
    bool enabled = true;
    int tabIndex = 0;
};

struct TimerDesign {
    std::string_view name;
    int interval = 0;
    bool enabled = false;
};

// A place of the window where a left click or a tap types a key, whatever is drawn over it.
struct KeyArea {
    Bounds bounds;
    std::int16_t keyAscii = 0;
};

struct FormDesign {
    std::string_view name;
    std::string_view caption;
    float width = 0; // client area, twips
    float height = 0;
    Rgb backColour = 0;
    std::string_view icon;
    StartPosition startPosition = StartPosition::WindowingSystem;
    float startLeft = 0; // client area's top-left corner on the screen, twips (Fixed only)
    float startTop = 0;
    std::vector<ControlDesign> controls; // drawing order, topmost first
    std::vector<TimerDesign> timers;
    std::vector<std::string_view> mediaControls;
    std::vector<std::string_view> imageList; // picture names, numbered from 1
    std::vector<KeyArea> keyAreas;
    // Its timers and its music hold while the window is minimised or not the active one: a game
    // waits for its player.
    bool holdsWhenLeft = false;
};

inline constexpr float TwipsPerPixel = 15.0F;

} // namespace tanzel
