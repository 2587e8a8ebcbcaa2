// Reads the resident page count from /proc/self/statm.
#include "residentmemory.h"

#include <fstream>
#include <unistd.h>

namespace tanzel::test {

std::int64_t residentKiB() {
    std::ifstream statm("/proc/self/statm");
    std::int64_t totalPages = 0;
    std::int64_t residentPages = 0;
    if (!(statm >> totalPages >> residentPages))
        return 0;
    return residentPages * (sysconf(_SC_PAGESIZE) / 1024);
}

} // namespace tanzel::test
