// The game window: the playfield, the hole grid, the hit markers, the hammer and the bar.
#include "designs.h"

namespace tanzel::layout {

namespace {

constexpr FontSpec HintFont{"Tahoma", 9.0F, true, true};
constexpr Rgb HintColour = 0xFFFFC0;

// The grid follows the numeric keypad: hole 7 top left, hole 3 bottom right. The middle row's
// cells are 3 twips smaller than the others.
Bounds holeBounds(int hole) {
    constexpr float columnLefts[] = {360, 1560, 2760};
    const int row = (hole - 1) / 3; // 0 bottom, 1 middle, 2 top
    const float top = row == 0 ? 3000 : row == 1 ? 1680 : 360;
    const float size = row == 1 ? 972 : 975;
    return {columnLefts[(hole - 1) % 3], top, size, size};
}

FormDesign build() {
    FormDesign form;
    form.name = "Form1";
    form.caption = "Tanzel Punch";
    form.width = 5415;
    form.height = 4320;
    form.backColour = 0x010062;
    form.icon = "hammer-tilted";
    form.startPosition = StartPosition::WindowingSystem;

    auto& controls = form.controls;
    controls.push_back({.type = ControlType::Label,
                        .name = "Label4",
                        .bounds = {840, 0, 3495, 255},
                        .caption = "¡Usa el teclado numérico para jugar!",
                        .font = HintFont,
                        .foreground = HintColour,
                        .alignment = Alignment::Centre});
    controls.push_back({.type = ControlType::Label,
                        .name = "Label3",
                        .bounds = {960, 4080, 3015, 255},
                        .caption = "Use the numeric keypad to play!",
                        .font = HintFont,
                        .foreground = HintColour,
                        .alignment = Alignment::Centre});
    controls.push_back({.type = ControlType::Label,
                        .name = "Label2",
                        .bounds = {4680, 720, 735, 375},
                        .caption = "Power",
                        .font = {"Modern", 15.75F, true},
                        .foreground = 0xFF0000,
                        .alignment = Alignment::Left});
    controls.push_back({.type = ControlType::Shape,
                        .name = "Shape1",
                        .bounds = {4884, 1100, 372, 1572},
                        .foreground = 0xFF0000,
                        .fill = 0xFFFF80});
    controls.push_back(
        {.type = ControlType::Image, .name = "Image4", .bounds = {2280, 2880, 735, 735}});
    for (int index = 8; index >= 0; --index) {
        const Bounds bounds = index == 0 ? Bounds{2280, 1920, 972, 492} : Bounds{0, 0, 972, 492};
        controls.push_back(
            {.type = ControlType::Image, .name = "Image3", .index = index, .bounds = bounds});
    }
    for (int index = 8; index >= 0; --index) {
        const Bounds bounds = index == 0 ? Bounds{2280, 1920, 252, 492} : Bounds{0, 0, 252, 492};
        controls.push_back({.type = ControlType::Image,
                            .name = "Image1",
                            .index = index,
                            .bounds = bounds,
                            .visible = index != 0,
                            .enabled = index != 0});
    }
    controls.push_back({.type = ControlType::Label,
                        .name = "Label1",
                        .bounds = {3840, 0, 1572, 492},
                        .font = {"Impact", 24.0F, true},
                        .foreground = 0xFFFF00,
                        .alignment = Alignment::Right});
    controls.push_back({.type = ControlType::Image,
                        .name = "Image2",
                        .index = 10,
                        .bounds = {2880, 2880, 735, 735}});
    for (int hole = 9; hole >= 1; --hole)
        controls.push_back({.type = ControlType::Image,
                            .name = "Image2",
                            .index = hole,
                            .bounds = holeBounds(hole)});
    controls.push_back({.type = ControlType::Image,
                        .name = "Image2",
                        .index = 0,
                        .bounds = {0, 0, 5415, 4335},
                        .picture = "background"});

    // A hole's cell, where its creature rises, punches it like its digit: for the mouse and for
    // touchscreens.
    for (int hole = 1; hole <= 9; ++hole)
        form.keyAreas.push_back({holeBounds(hole), static_cast<std::int16_t>('0' + hole)});
    form.holdsWhenLeft = true;

    form.timers = {{"Timer1", 150, false}, {"Timer2", 60000, true}};
    form.mediaControls = {"MMControl1"};
    form.imageList = {"kind1", "kind2", "kind3", "kind4",         "kind5",          "kind6",
                      "kind7", "kind8", "star",  "hammer-tilted", "hammer-upright", "no"};
    return form;
}

} // namespace

const FormDesign& gameDesign() {
    static const FormDesign design = build();
    return design;
}

} // namespace tanzel::layout
