// The tune-compiler command: compiles one .tune source into a Standard MIDI File.
#include "midifilewriter.h"
#include "tuneerror.h"
#include "tuneparser.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace {

std::optional<std::string> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Written beside the target and renamed, so that a failed write never leaves a file that looks
// newer than its source to the build.
bool writeFile(const std::filesystem::path& path, const tune::Bytes& bytes) {
    std::filesystem::path partial = path;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.flush();
    }
    std::error_code error;
    if (!std::filesystem::exists(partial, error) ||
        std::filesystem::file_size(partial, error) != bytes.size()) {
        std::filesystem::remove(partial, error);
        return false;
    }
    std::filesystem::rename(partial, path, error);
    return !error;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: tune-compiler <input.tune> <output.mid>\n";
        return 2;
    }
    const std::filesystem::path input = argv[1];
    const std::filesystem::path output = argv[2];
    const auto source = readFile(input);
    if (!source) {
        std::cerr << input.string() << ": error: cannot read the file\n";
        return 1;
    }
    try {
        if (!writeFile(output, tune::writeMidiFile(tune::parseTune(*source)))) {
            std::cerr << output.string() << ": error: cannot write the file\n";
            return 1;
        }
    } catch (const tune::TuneError& error) {
        std::cerr << input.string();
        if (error.line() > 0)
            std::cerr << ':' << error.line();
        std::cerr << ": error: " << error.what() << '\n';
        return 1;
    }
    return 0;
}
