// The game-over window: the banner, the final score, the figure and the close button.
#include "designs.h"

namespace tanzel::layout {

namespace {

constexpr FontSpec BannerFont{"Times New Roman", 21.75F, true};
constexpr Rgb BannerColour = 0x804000;

FormDesign build() {
    FormDesign form;
    form.name = "Form3";
    form.caption = "GAME OVER";
    form.width = 3555;
    form.height = 4290;
    form.backColour = 0x010042;
    form.icon = "star";
    form.startPosition = StartPosition::CentreScreen;
    form.controls = {
        {.type = ControlType::CommandButton,
         .name = "Command1",
         .bounds = {1560, 3360, 495, 495},
         .picture = "close-token-1"},
        {.type = ControlType::Label,
         .name = "Label4",
         .bounds = {120, 720, 1815, 615},
         .font = {"Impact", 24.0F, true},
         .foreground = 0xFFFF00,
         .alignment = Alignment::Right},
        {.type = ControlType::Label,
         .name = "Label3",
         .bounds = {120, 120, 1815, 375},
         .caption = "Puntuacion:",
         .font = {"Times New Roman", 11.25F, true},
         .foreground = 0xFFFF00,
         .alignment = Alignment::Centre},
        {.type = ControlType::Label,
         .name = "Label2",
         .bounds = {1800, 2520, 1575, 495},
         .caption = "OVER",
         .font = BannerFont,
         .foreground = BannerColour,
         .alignment = Alignment::Centre},
        {.type = ControlType::Label,
         .name = "Label1",
         .bounds = {120, 2520, 1575, 495},
         .caption = "GAME",
         .font = BannerFont,
         .foreground = BannerColour,
         .alignment = Alignment::Centre},
        {.type = ControlType::Image,
         .name = "Image1",
         .bounds = {1200, 120, 2295, 3375},
         .picture = "game-over"},
    };
    return form;
}

} // namespace

const FormDesign& gameOverDesign() {
    static const FormDesign design = build();
    return design;
}

} // namespace tanzel::layout
