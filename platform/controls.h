// The controls of a form: plain data that event procedures read and write.
#pragma once

#include "design.h"
#include "picture.h"

#include <string>

namespace tanzel {

// Where a control stands, in twips, and whether it shows.
struct ControlGeometry : Bounds {
    bool Visible = true;
};

struct Image : ControlGeometry {
    bool Enabled = true;
    tanzel::Picture Picture;
    std::string Tag;

    void Move(float left, float top) {
        Left = left;
        Top = top;
    }
};

struct Label : ControlGeometry {
    bool Enabled = true;
    std::string Caption;
};

struct Shape : ControlGeometry {};

struct CommandButton : ControlGeometry {
    bool Enabled = true;
    std::string Caption;
    tanzel::Picture Picture;
};

struct Timer {
    int Interval = 0;
    bool Enabled = false;
};

} // namespace tanzel
