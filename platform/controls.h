// The controls of a form: plain data that event procedures read and write.
#pragma once

#include "picture.h"

#include <string>

namespace tanzel {

// Positions and sizes are twips in single precision, from the client area's top-left corner.
struct Image {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    bool Enabled = true;
    tanzel::Picture Picture;
    std::string Tag;

    void Move(float left, float top) {
        Left = left;
        Top = top;
    }
};

struct Label {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    bool Enabled = true;
    std::string Caption;
};

struct Shape {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
};

struct CommandButton {
    float Left = 0;
    float Top = 0;
    float Width = 0;
    float Height = 0;
    bool Visible = true;
    bool Enabled = true;
    std::string Caption;
    tanzel::Picture Picture;
};

struct Timer {
    int Interval = 0;
    bool Enabled = false;
};

} // namespace tanzel
