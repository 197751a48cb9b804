#include "Noise.h"

#include <cmath>

namespace Art {

uint64_t Random::Next() {
    // splitmix64: tiny, and every seed gives a good stream.
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

double Random::Uniform() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }

double Random::Uniform(double lo, double hi) { return lo + (hi - lo) * Uniform(); }

int Random::Below(int n) { return static_cast<int>(Next() % static_cast<uint64_t>(n)); }

double Hash2(int32_t ix, int32_t iy, uint32_t seed) {
    uint32_t h = seed * 0x9E3779B1u;
    h ^= static_cast<uint32_t>(ix) * 0x85EBCA77u;
    h = (h << 13) | (h >> 19);
    h ^= static_cast<uint32_t>(iy) * 0xC2B2AE3Du;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return static_cast<double>(h >> 8) * (1.0 / 16777216.0);
}

double ValueNoise(double x, double y, uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int32_t ix = static_cast<int32_t>(fx), iy = static_cast<int32_t>(fy);
    double tx = x - fx, ty = y - fy;
    tx = tx * tx * tx * (tx * (tx * 6.0 - 15.0) + 10.0);
    ty = ty * ty * ty * (ty * (ty * 6.0 - 15.0) + 10.0);
    const double a = Hash2(ix, iy, seed), b = Hash2(ix + 1, iy, seed);
    const double c = Hash2(ix, iy + 1, seed), d = Hash2(ix + 1, iy + 1, seed);
    const double top = a + (b - a) * tx, bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double Fractal(double x, double y, uint32_t seed, int octaves) {
    double sum = 0.0, amplitude = 1.0, total = 0.0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<uint32_t>(i) * 131u);
        total += amplitude;
        amplitude *= 0.5;
        x = x * 2.0 + 17.3;
        y = y * 2.0 + 5.1;
    }
    return sum / total;
}

}  // namespace Art
