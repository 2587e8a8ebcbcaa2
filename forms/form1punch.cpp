// The player's punches: the hammer follows every digit, and a punch on a risen creature counts.
#include "forms/form1.h"
#include "platform/basic.h"

namespace tanzel {

void Form1::Form_KeyPress(std::int16_t KeyAscii) {
    if (KeyAscii < '1' || KeyAscii > '9')
        return;
    if (HammerPicture == 10) {
        HammerPicture = 11;
        HammerDrop = 230;
    } else {
        HammerPicture = 10;
        HammerDrop = 0;
    }
    const std::int16_t k = static_cast<std::int16_t>(KeyAscii - '0');
    Image4.Picture = ImageList1.ListImages(HammerPicture).Picture;
    Image4.Move(Image2(k).Left + StepUnit, Image1(k - 1).Top + StepUnit + HammerDrop);
    Image4.Visible = true;
    if (Image2(k).Visible && CreatureUp == 1)
        ResolveHit(k);
}

// A hole whose marker shows is resolved and ignored. In a wrong punch the marker and the bar
// change before any game end, and the tag is cleared last.
void Form1::ResolveHit(std::int16_t Hole) {
    Image& creature = Image2(Hole);
    Image& marker = Image3(Hole - 1);
    if (creature.Tag > "4") {
        if (marker.Visible)
            return;
        Score += 30;
        const int kind = kindIn(Hole);
        if (kind == 5 || kind == 6)
            Score += 200;
        if (kind == 7)
            Score += 100;
        Label1.Caption = Str(Score);
        marker.Picture = ImageList1.ListImages(9).Picture;
        creature.Tag = "0";
        marker.Visible = true;
        return;
    }
    if (marker.Visible)
        return;
    Score -= 30;
    if (Score < 0)
        Score = 0;
    Label1.Caption = Str(Score);
    marker.Picture = ImageList1.ListImages(12).Picture;
    marker.Visible = true;
    const float penalty = 2 * BarUnit;
    if (Shape1.Height > penalty)
        Shape1.Height = Shape1.Height - penalty;
    else
        EndGameTimeUp();
    if (Shape1.Height <= 0)
        EndGameTimeUp();
    if (kindIn(Hole) == 1)
        EndGameFatalHit();
    creature.Tag = "0";
}

} // namespace tanzel
