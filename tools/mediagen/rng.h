// The one random source of the generator.
#pragma once

#include <cstdint>

namespace mediagen {

// xorshift64*: a tiny generator of our own, so the scattered stars, dots and
// noise come out the same on every run and every platform.
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    std::uint64_t next() {
        state_ ^= state_ >> 12;
        state_ ^= state_ << 25;
        state_ ^= state_ >> 27;
        return state_ * 0x2545F4914F6CDD1Dull;
    }
    // Uniform in [0, 1).
    double uniform() { return double(next() >> 11) * (1.0 / 9007199254740992.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }
    // Uniform in [-1, 1).
    double signedUnit() { return 2.0 * uniform() - 1.0; }
    int below(int n) { return int(uniform() * n); }

private:
    std::uint64_t state_;
};

} // namespace mediagen
