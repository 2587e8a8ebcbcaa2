// Writes the device's failure lines to stderr.
#include "problemreport.h"

#include <cstdio>
#include <string>

namespace tanzel {

void reportProblem(std::string_view what) {
    std::string line = "tanzel-punch: ";
    line += what;
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
}

} // namespace tanzel
