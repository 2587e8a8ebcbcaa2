// A player who punches at random and keeps its own account of what each punch and escape costs.
#pragma once

#include "headlessgame.h"

#include <algorithm>
#include <array>
#include <random>
#include <sstream>
#include <string>

namespace tanzel::test {

// The account is kept from the rules in ticks, not from the heights the game keeps: a creature
// rises in ceil(975 / step) ticks, stands 28 - 2 × speed more, and sinks in ceil(915 / step); a
// punch counts from the rise's last tick to the last standing one.
class RandomPlayer {
public:
    RandomPlayer(std::uint64_t seed, double keyChance, double skill)
        : engine(seed)
        , keyChance(keyChance)
        , skill(skill) {}

    // Plays from "Jugar" back to the title; returns the first disagreement, or nothing.
    std::string playGame(HeadlessGame& program) {
        program.sequencer.log.clear();
        program.mediaWrites.clear();
        program.host.click(program.title(), "Command1");
        Form1& game = program.game();
        score = 0;
        bar = game.Shape1.Height;
        over = false;
        while (!game.GameOver) {
            const bool spawning = game.GameState == TickState::Spawn;
            program.tick();
            ++ticks;
            ++age;
            if (spawning && game.GameState == TickState::Rising)
                startCycle(game);
            else if (!spawning)
                chargeEscapes(game);
            if (auto broken = compare(game); !broken.empty())
                return broken;
            for (int n = 1; n <= 9 && !over; ++n)
                if (chance(keyChance / 9) || (kinds[n] >= 5 && chance(skill)))
                    punch(program, n);
            if (chance(keyChance))
                program.host.type(nonDigit());
            if (auto broken = compare(game); !broken.empty())
                return broken;
        }
        if (program.host.nextTimerIn() != -1 ||
            program.gameOver().Label4.Caption != game.Label1.Caption)
            return "the game over left a timer running or the wrong score";
        program.host.click(program.gameOver(), "Command1");
        if (program.app.isLoaded<Form1>() || !program.title().Enabled)
            return "the title did not come back";
        highestLevel = std::max<int>(highestLevel, game.Level);
        ++games;
        return {};
    }

    long ticks = 0;
    long games = 0;
    int highestLevel = 0;

private:
    void startCycle(Form1& game) {
        age = 0;
        step = 60 * game.Speed;
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
            score += std::array{230, 230, 130, 30}[kind - 5];
            return;
        }
        score = std::max(0, score - 30);
        over = bar <= 98 || kind == 1;
        if (bar > 98)
            bar -= 98;
    }

    void chargeEscapes(Form1&) {
        if (age <= lastUpTick || age > lastSinkTick)
            return;
        for (int n = 1; n <= 9 && !over; ++n) {
            if (kinds[n] < 5)
                continue;
            over = bar - costPerTick <= 0;
            if (!over)
                bar -= costPerTick;
        }
    }

    std::string compare(Form1& game) const {
        if (game.Score == score && game.Shape1.Height == bar && game.GameOver == over)
            return {};
        std::ostringstream text;
        text << "tick " << ticks << ": score " << game.Score << " for " << score << ", bar "
             << game.Shape1.Height << " for " << bar << ", over " << game.GameOver << " for "
             << over;
        return text.str();
    }

    std::int16_t nonDigit() {
        const int code = std::uniform_int_distribution(-32768, 32767 - 9)(engine);
        return static_cast<std::int16_t>(code >= '1' ? code + 9 : code);
    }

    bool chance(double p) { return std::bernoulli_distribution(p)(engine); }

    std::mt19937_64 engine;
    double keyChance;
    double skill;
    std::array<int, 10> kinds{};
    int age = 0, step = 240, riseTicks = 0, lastUpTick = 0, lastSinkTick = 0;
    float costPerTick = 0;
    int score = 0;
    float bar = 0;
    bool over = false;
};

} // namespace tanzel::test
