// How fast the game runs without a screen: whole games by a random player on the headless host
// and its virtual clock, counted in game ticks per second of real time.
#include "randomgames.h"

#include <benchmark/benchmark.h>

namespace {

// A player who hits half the risen villains on each tick plays long games through every stage.
void wholeGamesByARandomPlayer(benchmark::State& state) {
    tanzel::bench::RandomGames player(7, 0.5, 0.01);
    for (auto _ : state) {
        if (const std::string broken = player.play(); !broken.empty()) {
            state.SkipWithError(broken.c_str());
            break;
        }
    }
    state.counters["ticks/s"] =
        benchmark::Counter(double(player.ticks), benchmark::Counter::kIsRate);
    state.counters["ticks/game"] =
        benchmark::Counter(double(player.ticks) / double(std::max(player.games, 1L)));
}
BENCHMARK(wholeGamesByARandomPlayer)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
