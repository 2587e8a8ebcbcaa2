// The small numeric and text built-ins the forms are written against.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

namespace tanzel {

// Rounds towards minus infinity, so Int(-0.5) is -1.
inline float Int(float value) {
    return std::floor(value);
}
inline double Int(double value) {
    return std::floor(value);
}

// The first character is kept for the sign: Str(230) is " 230", Str(-30) is "-30".
inline std::string Str(std::int64_t value) {
    return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

} // namespace tanzel
