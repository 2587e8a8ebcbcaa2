// Ten thousand whole games on the headless host, with the memory held reported every thousand
// games: it must stay flat.
#include "randomgames.h"

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
    const auto start = std::chrono::steady_clock::now();
    // A careless player's short games and a skilled one's long ones, through every stage.
    tanzel::bench::RandomGames careless(1, 0.0, 0.3), skilled(2, 0.4, 0.01);
    std::cout << "before the first game: " << residentKiB() << " KiB resident\n";
    for (int game = 1; game <= 10000; ++game) {
        if (const std::string broken = (game % 3 ? careless : skilled).play(); !broken.empty()) {
            std::cerr << "game " << game << ": " << broken << "\n";
            return 1;
        }
        if (game % 1000 == 0)
            std::cout << game << " games: " << residentKiB() << " KiB resident\n";
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::cout << careless.ticks + skilled.ticks << " ticks in " << took.count() << " s\n";
}
