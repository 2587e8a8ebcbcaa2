// Makes a folder the process's working folder for a while, as the game is started in its own.
#pragma once

#include <filesystem>

namespace tanzel::test {

class WorkingFolder {
public:
    explicit WorkingFolder(const std::filesystem::path& folder)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingFolder() { std::filesystem::current_path(previous); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

private:
    std::filesystem::path previous;
};

} // namespace tanzel::test
