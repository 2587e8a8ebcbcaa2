// The generator behind Randomize and Rnd.
#pragma once

#include <cstdint>
#include <random>

namespace tanzel {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Mixes the clock into the running state; never resets it.
    virtual void Randomize(std::int64_t clockMilliseconds) = 0;
    // Uniform in [0, 1).
    virtual float Rnd() = 0;
};

// Seeded once per run. Re-seeding folds the clock into a draw of the engine itself, so two
// re-seeds with an unchanged clock still lead to different draws.
class EngineRandom : public RandomSource {
public:
    explicit EngineRandom(std::uint64_t seed)
        : engine(seed) {}

    void Randomize(std::int64_t clockMilliseconds) override {
        engine.seed(engine() ^ static_cast<std::uint64_t>(clockMilliseconds));
    }

    float Rnd() override { return std::uniform_real_distribution<float>(0.0F, 1.0F)(engine); }

private:
    std::mt19937_64 engine;
};

} // namespace tanzel
