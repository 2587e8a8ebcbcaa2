// Looks at what a path names before reading it, so folders, devices and huge files cost nothing.
#include "midifile.h"

#include "smfcheck.h"

#include <fstream>
#include <system_error>

namespace tanzel {

namespace {

MidiFile refused(std::string problem) {
    return {{}, std::move(problem)};
}

} // namespace

MidiFile readMidiFile(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return refused("no such file");
    if (error)
        return refused("cannot read (" + error.message() + ")");
    if (fs::is_directory(status))
        return refused("is a folder, not a MIDI file");
    if (!fs::is_regular_file(status))
        return refused("not a regular file");
    const std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return refused("cannot read (" + error.message() + ")");
    if (size > maxMidiFileBytes) {
        return refused("too large (" + std::to_string(size) + " bytes; a tune has at most " +
                       std::to_string(maxMidiFileBytes) + ")");
    }
    if (size == 0)
        return refused("empty file");

    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!in || in.gcount() != static_cast<std::streamsize>(bytes.size()))
        return refused("cannot read");
    if (std::optional<std::string> problem = findSmfProblem(bytes))
        return refused(*problem);
    return {std::move(bytes), {}};
}

} // namespace tanzel
