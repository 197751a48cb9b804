// The effect's only source of randomness: MT19937 seeded by repeated multiplication with
// 69069. A seed's sequence is part of the stored picture, so nothing here may change.
#pragma once

#include <cstdint>

class MersenneTwister {
public:
    explicit MersenneTwister(uint32_t seed) { Seed(seed); }

    // Seed 0 behaves as 1.
    void Seed(uint32_t seed);

    uint32_t NextU32();

    // NextU32 scaled into [0, 1], both ends included.
    double NextReal();

    // lo + NextU32 mod (hi - lo + 1), both ends included; the range size and the sum wrap
    // in 32 bits. A range covering all 2^32 values (size 0 after wrapping) takes the value
    // whole instead of dividing by zero.
    int32_t NextInRange(int32_t lo, int32_t hi);

private:
    static constexpr int kSize = 624;
    uint32_t words[kSize];
    int index = kSize;
};
