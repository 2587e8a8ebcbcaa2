// A random source for tests: hands out the draws it was given, in order.
#pragma once

#include "platform/randomsource.h"

#include <deque>
#include <stdexcept>

namespace tanzel::test {

class ScriptedRandom : public RandomSource {
public:
    void Randomize(std::int64_t) override { ++reseeds; }
    float Rnd() override {
        if (draws.empty())
            throw std::logic_error("the test ran out of scripted draws");
        const float r = draws.front();
        draws.pop_front();
        return r;
    }

    // The draw in the middle of those that give kind k, or hole h.
    static float kindDraw(int k) { return (static_cast<float>(k) - 0.5F) / 8.0F; }
    static float holeDraw(int h) { return (static_cast<float>(h) - 0.5F) / 9.0F; }
    void creature(int k, int h) { draws.insert(draws.end(), {kindDraw(k), holeDraw(h)}); }

    std::deque<float> draws;
    int reseeds = 0;
};

} // namespace tanzel::test
