// The runtime's fatal error: a broken invariant of a form or control operation.
#pragma once

#include <stdexcept>

namespace tanzel {

// Thrown by the runtime and caught by the Application, which shows it once and ends the
// program with status 1. Game code never catches it.
class RuntimeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tanzel
