// Seeded randomness for the artwork: every picture has its own fixed seed.
#pragma once

#include <cstdint>

namespace Art {

class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}
    uint64_t Next();
    double Uniform();                      // [0, 1)
    double Uniform(double lo, double hi);  // [lo, hi)
    int Below(int n);                      // 0 .. n-1

private:
    uint64_t state;
};

// Lattice hash in [0, 1).
double Hash2(int32_t ix, int32_t iy, uint32_t seed);
// Smooth value noise in [0, 1), lattice spacing 1.
double ValueNoise(double x, double y, uint32_t seed);
// Sum of octaves of value noise, normalised to [0, 1).
double Fractal(double x, double y, uint32_t seed, int octaves);

}  // namespace Art
