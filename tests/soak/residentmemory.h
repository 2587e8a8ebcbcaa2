// How much of the process's memory is resident, as the kernel counts it.
#pragma once

#include <cstdint>

namespace tanzel::test {

// Resident set size in KiB, from /proc/self/statm; 0 when it cannot be read.
std::int64_t residentKiB();

} // namespace tanzel::test
