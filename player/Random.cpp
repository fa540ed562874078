#include "player/Random.h"

#include "player/Clock.h"

#include <cmath>
#include <random>

namespace {
std::mt19937& generator() {
    static std::mt19937 g(0x5EEDu);
    return g;
}
} // namespace

float Rnd() {
    // The top 24 bits of one draw, scaled by 2^-24: the largest value is 1 - 2^-24.
    return static_cast<float>(generator()() >> 8) * (1.0f / 16777216.0f);
}

namespace {
bool fixedRandomize = false;
quint32 fixedSeed = 0;
} // namespace

void FixRandomize(bool on, quint32 seed) {
    fixedRandomize = on;
    fixedSeed = seed;
}

void Randomize() {
    if (fixedRandomize) {
        SeedRandom(fixedSeed);
        return;
    }
    const double s = appClock().secondsSinceMidnight();
    // Milliseconds since midnight fit in 32 bits; two calls within the same millisecond
    // give the same sequence, as two calls within the same clock reading should.
    SeedRandom(static_cast<quint32>(std::llround(s * 1000.0)));
}

void SeedRandom(quint32 seed) {
    generator().seed(seed);
}
