// A handle to one of the program's embedded pictures, or the empty picture.
#pragma once

#include <string>

namespace tanzel {

// Pictures are named by their asset ("kind1", "star", ...); the host turns a name into pixels.
struct Picture {
    std::string name;

    bool isEmpty() const { return name.empty(); }
    friend bool operator==(const Picture&, const Picture&) = default;
};

inline Picture LoadPicture() {
    return {};
}

} // namespace tanzel
