// Ten thousand whole games on the headless host by a random player, with the memory watched.
#include "residentmemory.h"
#include "support/randomplayer.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

using namespace tanzel;
using namespace tanzel::test;

namespace {

// After a warm-up thousand games the program holds no more state than after the first game;
// allocator and page granularity leave some slack.
constexpr std::int64_t allowedGrowthKiB = 256;

// Three kinds of player in turn. Every tenth game is played well and lasts through every
// stage; the others are short and noisy, with keys at any moment, floods of hundreds of keys
// between two ticks, and the tune ending now and then.
RandomPlayer::Options playerFor(long game) {
    const int floodKeys = 100 + static_cast<int>(game * 37 % 800);
    if (game % 10 == 9)
        return {.keyChance = 0.02,
                .maxBurst = 2,
                .nonDigitChance = 0.2,
                .skill = 0.35,
                .anyMoment = true,
                .tuneEndChance = 0.002};
    if (game % 10 >= 6)
        return {.keyChance = 0.05,
                .maxBurst = 3,
                .nonDigitChance = 0.5,
                .floodChance = 0.05,
                .floodKeys = floodKeys,
                .tuneEndChance = 0.01};
    return {.keyChance = 0.3,
            .maxBurst = 5,
            .nonDigitChance = 0.3,
            .floodChance = 0.005,
            .floodKeys = floodKeys,
            .anyMoment = true,
            .tuneEndChance = 0.01};
}

// What every game must leave behind: the title up with its tune playing, nothing reported.
std::string checkBackAtTheTitle(HeadlessGame& program) {
    if (program.sequencer.openFile != "present.mid" || !program.sequencer.playing)
        return "the title tune is not playing";
    if (!program.host.messageBoxes().empty())
        return "a message box was shown";
    if (!program.host.fatalMessage().empty())
        return "fatal error: " + program.host.fatalMessage();
    return {};
}

} // namespace

int main(int argc, char* argv[]) {
    const long games = argc > 1 ? std::atol(argv[1]) : 10000;
    using Clock = std::chrono::steady_clock;
    const auto started = Clock::now();
    const std::int64_t before = residentKiB();
    std::printf("%8s %10s %11s %9s %8s %10s\n", "games", "ticks", "keys", "tune ends", "seconds",
                "RSS KiB");
    std::printf("%8d %10d %11d %9d %8.1f %10lld\n", 0, 0, 0, 0, 0.0,
                static_cast<long long>(before));

    HeadlessGame program(20261206);
    RandomPlayer player(1206, playerFor(0));
    std::int64_t warmedUp = 0;
    for (long game = 0; game < games; ++game) {
        player.options = playerFor(game);
        std::string broken = player.playGame(program);
        if (broken.empty())
            broken = checkBackAtTheTitle(program);
        if (!broken.empty()) {
            std::printf("game %ld: %s\n", game + 1, broken.c_str());
            return 1;
        }
        // The recording device logs every media command; the log is the test's, not the game's.
        program.sequencer.log.clear();
        if ((game + 1) % 1000 == 0 || game + 1 == games) {
            const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
            const std::int64_t now = residentKiB();
            if (game + 1 == 1000)
                warmedUp = now;
            std::printf("%8ld %10ld %11ld %9ld %8.1f %10lld\n", game + 1, player.ticks, player.keys,
                        player.tuneEnds, seconds, static_cast<long long>(now));
            std::fflush(stdout);
        }
    }
    const std::int64_t after = residentKiB();
    std::printf("longest game: %ld ticks; RSS before %lld KiB, after %lld KiB\n",
                player.longestGameTicks, static_cast<long long>(before),
                static_cast<long long>(after));
    if (warmedUp > 0 && after - warmedUp > allowedGrowthKiB) {
        std::printf("memory grew by %lld KiB after the first thousand games\n",
                    static_cast<long long>(after - warmedUp));
        return 1;
    }
    return 0;
}
