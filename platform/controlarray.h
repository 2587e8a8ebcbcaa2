// Controls of one name addressed by index, as Image2(n).
#pragma once

#include "runtimeerror.h"

#include <string>
#include <vector>

namespace tanzel {

template <class Control> class ControlArray {
public:
    ControlArray(std::string name, std::vector<Control*> members)
        : name(std::move(name))
        , members(std::move(members)) {}

    Control& operator()(int index) const {
        if (index < 0 || index >= static_cast<int>(members.size()) || !members[index])
            throw RuntimeError("Control array element '" + std::to_string(index) + "' of " + name +
                               " doesn't exist");
        return *members[index];
    }

private:
    std::string name;
    std::vector<Control*> members;
};

} // namespace tanzel
