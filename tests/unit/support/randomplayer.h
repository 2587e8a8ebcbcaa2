// A player who punches at random and keeps its own account of what each punch and escape costs.
#pragma once

#include "headlessgame.h"

#include <algorithm>
#include <array>
#include <random>
#include <string>

namespace tanzel::test {

// The account is kept from the rules, in ticks rather than the heights the game keeps: a creature
// rises in ceil(975 / step) ticks and stands 28 - 2 × speed more, while punches count; escaped
// targets pay on each of the ceil(915 / step) sinking ticks after that.
class RandomPlayer {
public:
    RandomPlayer(std::uint64_t seed, double keyChance, double skill)
        : engine(seed)
        , keyChance(keyChance)
        , skill(skill) {}

    // Plays from "Jugar" back to the title; says where the game first left the account.
    std::string playGame(HeadlessGame& program) {
        Form1& game = program.play();
        account = {0, game.Shape1.Height, false};
        while (!game.GameOver) {
            const bool spawning = game.GameState == TickState::Spawn;
            program.tick();
            ++ticks;
            if (spawning && game.GameState == TickState::Rising)
                startCycle(game);
            else if (++age > lastUpTick && age <= lastSinkTick)
                chargeEscapes();
            for (int n = 1; n <= 9 && !account.over; ++n)
                if (chance(keyChance / 9) || (kinds[n] >= 5 && chance(skill)))
                    punch(program, n);
            if (Account{game.Score, game.Shape1.Height, game.GameOver} != account)
                return "tick " + std::to_string(ticks) + ": score " + std::to_string(game.Score) +
                       " for " + std::to_string(account.score) + ", bar " +
                       std::to_string(game.Shape1.Height) + " for " + std::to_string(account.bar);
        }
        if (program.gameOver().Label4.Caption != game.Label1.Caption)
            return "the game-over window shows another score";
        highestLevel = std::max<int>(highestLevel, game.Level);
        program.host.click(program.gameOver(), "Command1");
        return program.app.isLoaded<Form1>() ? "the game stayed loaded" : "";
    }

    long ticks = 0;
    int highestLevel = 0;

private:
    struct Account {
        int score;
        float bar;
        bool over;
        friend bool operator==(const Account&, const Account&) = default;
    };

    void startCycle(Form1& game) {
        age = 0;
        const int step = 60 * game.Speed;
        costPerTick = static_cast<float>(5 * game.Speed * game.Level);
        riseTicks = (975 + step - 1) / step;
        lastUpTick = riseTicks + 28 - 2 * game.Speed;
        lastSinkTick = lastUpTick + (915 + step - 1) / step;
        for (int n = 1; n <= 9; ++n)
            kinds[n] = game.Image2(n).Visible ? std::stoi(game.Image2(n).Tag) : 0;
    }

    void punch(HeadlessGame& program, int hole) {
        program.host.type(static_cast<std::int16_t>('0' + hole));
        if (age < riseTicks || age > lastUpTick || kinds[hole] == 0)
            return;
        const int kind = std::exchange(kinds[hole], 0);
        if (kind >= 5) {
            account.score += std::array{230, 230, 130, 30}[kind - 5];
            return;
        }
        account.score = std::max(0, account.score - 30);
        account.over = account.bar <= 98 || kind == 1;
        if (account.bar > 98)
            account.bar -= 98;
    }

    void chargeEscapes() {
        for (int n = 1; n <= 9 && !account.over; ++n) {
            if (kinds[n] < 5)
                continue;
            account.over = account.bar - costPerTick <= 0;
            if (!account.over)
                account.bar -= costPerTick;
        }
    }

    bool chance(double p) { return std::bernoulli_distribution(p)(engine); }

    std::mt19937_64 engine;
    double keyChance, skill;
    Account account{};
    std::array<int, 10> kinds{};
    int age = 0, riseTicks = 0, lastUpTick = 0, lastSinkTick = 0;
    float costPerTick = 0;
};

} // namespace tanzel::test
