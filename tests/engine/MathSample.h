// Deterministic arguments for the elementary-function tests: the same on every build,
// spread over the ranges the effect feeds in.
#pragma once

#include <cstdint>
#include <cstring>

namespace MathTest {

inline uint64_t Bits(double x) {
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

// SplitMix64, with uniform doubles built from 53 random bits by exact operations.
class Sample {
public:
    explicit Sample(uint64_t seed) : state(seed) {}
    uint64_t Next() {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    double Uniform(double lo, double hi) {
        return lo + (hi - lo) * (static_cast<double>(Next() >> 11) * 0x1p-53);
    }

private:
    uint64_t state;
};

// The degree factor of the rotation matrix.
constexpr double kRadiansPerDegree = 0.017453292519943295;

}  // namespace MathTest
