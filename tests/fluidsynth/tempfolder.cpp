// Makes a uniquely named temporary folder with mkdtemp.
#include "tempfolder.h"

#include <stdexcept>
#include <stdlib.h>
#include <string>

namespace tanzel::test {

TempFolder::TempFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tanzel-fluidsynth-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder");
    path = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

} // namespace tanzel::test
