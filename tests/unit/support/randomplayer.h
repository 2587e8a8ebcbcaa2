// Plays whole games with random keys at random moments and checks the game's invariants.
#pragma once

#include "headlessgame.h"

#include <random>
#include <sstream>
#include <string>

namespace tanzel::test {

class RandomPlayer {
public:
    struct Options {
        double keyChance = 0.3; // chance of a burst of keys between two ticks
        int maxBurst = 3;       // keys in one burst
        double nonDigitChance = 0.1;
        double skill = 0.0;       // chance of punching each risen target on each tick it stands
        double floodChance = 0.0; // chance of a flood of keys between two ticks
        int floodKeys = 0;        // keys in one flood; they go on past the end of the game
        // Keys fall at any millisecond between two ticks rather than right after one, so the
        // clock that Randomize mixes in is not always a multiple of the tick.
        bool anyMoment = false;
        // Chance, on each tick, that the game's tune reaches its end, for programs whose
        // sequencer can be told so (RecordingSequencer::finish).
        double tuneEndChance = 0.0;
    };

    RandomPlayer(std::uint64_t seed, Options options)
        : options(options)
        , engine(seed) {}

    // Plays one game from "Jugar" to the game-over window's close. Returns the first broken
    // invariant, or an empty string. Any program with HeadlessGame's members will do.
    template <class Program> std::string playGame(Program& program) {
        program.host.click(program.title(), "Command1");
        Form1& game = program.game();
        int spawnLevel = game.Level;
        long gameTicks = 0;
        while (!game.GameOver) {
            const bool spawns = game.GameState == TickState::Spawn;
            const int levelBefore = game.Level;
            if (options.anyMoment) {
                const int offset = std::uniform_int_distribution<int>(1, 49)(engine);
                program.host.advance(offset);
                typeKeys(program, game);
                program.host.advance(50 - offset);
            } else {
                typeKeys(program, game);
                if (game.GameOver)
                    break;
                program.tick();
            }
            ++ticks;
            ++gameTicks;
            if (spawns && game.GameState != TickState::Spawn)
                spawnLevel = levelBefore;
            if (std::string broken = check(game, spawnLevel); !broken.empty())
                return broken;
        }
        if (program.host.nextTimerIn() != -1)
            return "a timer still runs after game over";
        const Application& app = program.app;
        if (!app.isLoaded<Form3>())
            return "no game-over window";
        if (program.gameOver().Label4.Caption != game.Label1.Caption)
            return "the game-over window shows another score";
        program.host.click(program.gameOver(), "Command1");
        if (app.isLoaded<Form1>() || !program.title().Enabled)
            return "the title did not come back";
        ++games;
        longestGameTicks = std::max(longestGameTicks, gameTicks);
        return {};
    }

    Options options;
    long ticks = 0;
    long keys = 0;
    long tuneEnds = 0;
    long games = 0;
    long longestGameTicks = 0;

private:
    bool chance(double p) { return std::bernoulli_distribution(p)(engine); }

    template <class Program> void typeKeys(Program& program, Form1& game) {
        if (chance(options.keyChance)) {
            const int burst = std::uniform_int_distribution<int>(1, options.maxBurst)(engine);
            for (int i = 0; i < burst && !game.GameOver; ++i)
                type(program, randomKey());
        }
        if (options.floodChance > 0 && chance(options.floodChance)) {
            for (int i = 0; i < options.floodKeys; ++i)
                type(program, randomKey());
        }
        punchTargets(program, game);
        if constexpr (requires { program.sequencer.finish(); }) {
            if (options.tuneEndChance > 0 && !game.GameOver && chance(options.tuneEndChance)) {
                program.sequencer.finish();
                ++tuneEnds;
            }
        }
    }

    template <class Program> void type(Program& program, std::int16_t key) {
        program.host.type(key);
        ++keys;
    }

    // A player who sees the board: hits what should be hit, now and then.
    template <class Program> void punchTargets(Program& program, Form1& game) {
        if (game.CreatureUp != 1)
            return;
        for (int n = 1; n <= 9 && !game.GameOver; ++n) {
            if (game.Image2(n).Visible && game.Image2(n).Tag > "4" && chance(options.skill))
                type(program, static_cast<std::int16_t>('0' + n));
        }
    }

    std::int16_t randomKey() {
        if (chance(options.nonDigitChance))
            return static_cast<std::int16_t>(
                std::uniform_int_distribution<int>(-32768, 32767)(engine));
        return static_cast<std::int16_t>(std::uniform_int_distribution<int>('1', '9')(engine));
    }

    static std::string check(Form1& game, int spawnLevel) {
        std::ostringstream problem;
        int visible = 0;
        for (int n = 1; n <= 9; ++n)
            visible += game.Image2(n).Visible;
        const bool rightCount = spawnLevel == 1   ? visible == 1
                                : spawnLevel == 2 ? visible == 1 || visible == 2
                                                  : visible == 3;
        if (game.Score < 0)
            problem << "score below 0: " << game.Score;
        else if (game.Shape1.Top != 1100)
            problem << "the bar's top moved to " << game.Shape1.Top;
        else if (!game.GameOver && game.Shape1.Height <= 0)
            problem << "the bar ran out but the game goes on";
        else if (!rightCount)
            problem << visible << " creatures visible at level " << spawnLevel;
        else if (game.GameOver && game.Timer1.Enabled)
            problem << "the tick runs after game over";
        return problem.str();
    }

    std::mt19937_64 engine;
};

} // namespace tanzel::test
