// Whole games on the headless host, played from "Jugar" back to the title by a random player:
// the engine's speed and the soak's memory are measured on them.
#pragma once

#include "support/headlessgame.h"

#include <random>
#include <string>

namespace tanzel::bench {

class RandomGames {
public:
    // On each tick the player punches each standing villain with the chance `skill`, and types
    // a random digit with the chance `wildness`.
    RandomGames(std::uint64_t seed, double skill, double wildness)
        : engine(seed)
        , skill(skill)
        , wildness(wildness) {}

    // One game; says what went wrong, or nothing.
    std::string play() {
        Form1& game = program.play();
        while (!game.GameOver && program.host.fatalMessage().empty()) {
            while (program.random.draws.size() < 64)
                program.random.draws.push_back(std::uniform_real_distribution<float>()(engine));
            program.tick();
            ++ticks;
            for (std::int16_t hole = 1; hole <= 9 && !game.GameOver; ++hole)
                if ((game.CreatureUp == 1 && game.Image2(hole).Tag > "4" && chance(skill)) ||
                    chance(wildness / 9))
                    program.host.type(static_cast<std::int16_t>('0' + hole));
        }
        if (!program.host.fatalMessage().empty())
            return program.host.fatalMessage();
        program.host.click(program.gameOver(), "Command1");
        ++games;
        return program.app.isLoaded<Form1>() ? "the game stayed loaded" : "";
    }

    long ticks = 0, games = 0;

private:
    bool chance(double p) { return std::bernoulli_distribution(p)(engine); }

    test::HeadlessGame program;
    std::mt19937_64 engine;
    double skill, wildness;
};

} // namespace tanzel::bench
