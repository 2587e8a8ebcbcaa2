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

    // The draw that yields kind k under Int(r * 8 + 1).
    void kind(int k) { draws.push_back((static_cast<float>(k) - 0.5F) / 8.0F); }
    // The draw that yields hole h under Int(r * 9 + 1).
    void hole(int h) { draws.push_back((static_cast<float>(h) - 0.5F) / 9.0F); }
    void creature(int k, int h) {
        kind(k);
        hole(h);
    }

    std::deque<float> draws;
    int reseeds = 0;
};

} // namespace tanzel::test
