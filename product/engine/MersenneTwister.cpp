#include "product/engine/MersenneTwister.h"

namespace {

constexpr int kShift = 397;
constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr uint32_t kMatrix = 0x9908B0DFu;

// 1 / 4294967295.0 rounded once to a double, as the stored pictures were made with.
constexpr double kRealScale = 1.0 / 4294967295.0;

}  // namespace

void MersenneTwister::Seed(uint32_t seed) {
    words[0] = seed != 0 ? seed : 1;
    for (int i = 1; i < kSize; ++i) words[i] = 69069u * words[i - 1];
    index = kSize;
}

uint32_t MersenneTwister::NextU32() {
    if (index >= kSize) {
        for (int i = 0; i < kSize; ++i) {
            uint32_t y = (words[i] & kUpperMask) | (words[(i + 1) % kSize] & kLowerMask);
            words[i] = words[(i + kShift) % kSize] ^ (y >> 1) ^ ((y & 1u) != 0 ? kMatrix : 0u);
        }
        index = 0;
    }
    uint32_t y = words[index++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

double MersenneTwister::NextReal() { return NextU32() * kRealScale; }

int32_t MersenneTwister::NextInRange(int32_t lo, int32_t hi) {
    uint32_t size = static_cast<uint32_t>(hi) - static_cast<uint32_t>(lo) + 1u;
    uint32_t value = NextU32();
    uint32_t offset = size != 0 ? value % size : value;
    return static_cast<int32_t>(static_cast<uint32_t>(lo) + offset);
}
