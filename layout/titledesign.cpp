// The title window: the logo, the two buttons and the two about links.
#include "designs.h"

namespace tanzel::layout {

namespace {

constexpr FontSpec ButtonFont{"System", 9.75F, true};
constexpr FontSpec LinkFont{"Times New Roman", 6.75F, true, true, true};

FormDesign build() {
    FormDesign form;
    form.name = "Form2";
    form.caption = "Tanzel Punch";
    form.width = 3750;
    form.height = 2490;
    form.backColour = 0x010042;
    form.icon = "hammer-upright";
    form.startPosition = StartPosition::Fixed;
    form.startLeft = 2445;
    form.startTop = 2430;
    form.controls = {
        {.type = ControlType::CommandButton,
         .name = "Command2",
         .bounds = {1920, 1920, 972, 372},
         .caption = "Salir",
         .font = ButtonFont,
         .tabIndex = 1},
        {.type = ControlType::CommandButton,
         .name = "Command1",
         .bounds = {960, 1920, 972, 372},
         .caption = "Jugar",
         .font = ButtonFont,
         .tabIndex = 0},
        {.type = ControlType::Label,
         .name = "Label2",
         .bounds = {0, 0, 615, 255},
         .caption = "About",
         .font = LinkFont,
         .foreground = 0xFFFFFF,
         .alignment = Alignment::Left},
        {.type = ControlType::Label,
         .name = "Label1",
         .bounds = {3120, 0, 615, 255},
         .caption = "Acerca de",
         .font = LinkFont,
         .foreground = 0xFFFFFF,
         .alignment = Alignment::Left},
        {.type = ControlType::Image,
         .name = "Image1",
         .bounds = {0, 0, 3732, 2532},
         .picture = "title-logo"},
    };
    form.mediaControls = {"MMControl1"};
    return form;
}

} // namespace

const FormDesign& titleDesign() {
    static const FormDesign design = build();
    return design;
}

} // namespace tanzel::layout
