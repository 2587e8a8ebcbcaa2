// Ten thousand whole games by random players, reckoned as in the unit suite, with the memory
// held reported every thousand games: it must stay flat.
#include "support/randomplayer.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <unistd.h>

namespace {

long residentKiB() {
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * sysconf(_SC_PAGESIZE) / 1024;
}

} // namespace

int main() {
    using namespace tanzel::test;
    const auto start = std::chrono::steady_clock::now();
    HeadlessGame program(20261207);
    RandomPlayer wild(1, 0.3, 0.0);
    RandomPlayer skilled(2, 0.01, 0.4);
    std::cout << "before the first game: " << residentKiB() << " KiB resident\n";
    for (int game = 1; game <= 10000; ++game) {
        if (const std::string broken = (game % 3 ? wild : skilled).playGame(program);
            !broken.empty()) {
            std::cerr << "game " << game << ": " << broken << "\n";
            return 1;
        }
        if (game % 1000 == 0)
            std::cout << game << " games: " << residentKiB() << " KiB resident\n";
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cout << wild.ticks + skilled.ticks << " ticks in " << took.count() << " s\n";
}
