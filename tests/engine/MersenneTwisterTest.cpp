// The generator against first outputs worked out independently and against a reference
// written straight from the recurrence x[k + 624] = x[k + 397] ^ twist(x[k], x[k + 1]).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "product/engine/MersenneTwister.h"

namespace {

// Keeps the whole sequence x[0], x[1], ... instead of a circular state.
class ReferenceSequence {
public:
    explicit ReferenceSequence(uint32_t seed) {
        state.push_back(seed == 0 ? 1 : seed);
        for (int i = 1; i < 624; ++i) state.push_back(static_cast<uint32_t>(69069ull * state.back()));
    }
    uint32_t Output(size_t k) {
        while (state.size() <= 624 + k) {
            size_t j = state.size() - 624;
            uint32_t y = (state[j] & 0x80000000u) | (state[j + 1] & 0x7FFFFFFFu);
            state.push_back(state[j + 397] ^ (y >> 1) ^ ((y & 1) ? 0x9908B0DFu : 0u));
        }
        uint32_t y = state[624 + k];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9D2C5680u;
        y ^= (y << 15) & 0xEFC60000u;
        return y ^ (y >> 18);
    }

private:
    std::vector<uint32_t> state;
};

TEST(MersenneTwister, FirstOutputsOfKnownSeeds) {
    MersenneTwister one(1);
    for (uint32_t expected : {0xE2450886u, 0xF94C56FAu, 0x81F0EEAFu, 0xE30E8878u, 0xB07A203Cu, 0xF179224Eu}) {
        EXPECT_EQ(one.NextU32(), expected);
    }
    MersenneTwister classic(4357);
    for (uint32_t expected : {0xD13C8AF5u, 0xFFC27482u, 0x82A6958Bu, 0x21AC240Au, 0x09110BBAu, 0xFE127BC0u}) {
        EXPECT_EQ(classic.NextU32(), expected);
    }
    // Across the first regeneration: outputs 623 and 624 come from different passes.
    MersenneTwister boundary(4357);
    for (int i = 0; i < 623; ++i) boundary.NextU32();
    EXPECT_EQ(boundary.NextU32(), 0x2B9061BDu);
    EXPECT_EQ(boundary.NextU32(), 0x8472D5CFu);
}

TEST(MersenneTwister, FollowsTheRecurrenceOverSeveralRegenerations) {
    for (uint32_t seed : {1u, 2u, 4357u, 10000u, 0x80000000u, 0xFFFFFFFFu}) {
        MersenneTwister mt(seed);
        ReferenceSequence ref(seed);
        for (size_t k = 0; k < 2000; ++k)
            ASSERT_EQ(mt.NextU32(), ref.Output(k)) << "seed " << seed << " k " << k;
    }
}

TEST(MersenneTwister, SeedZeroIsSeedOneAndReseedingRestarts) {
    MersenneTwister zero(0), one(1);
    for (int i = 0; i < 700; ++i) ASSERT_EQ(zero.NextU32(), one.NextU32());
    zero.Seed(1);
    MersenneTwister fresh(1);
    for (int i = 0; i < 10; ++i) EXPECT_EQ(zero.NextU32(), fresh.NextU32());
}

TEST(MersenneTwister, NextRealUsesTheRoundedReciprocal) {
    MersenneTwister mt(4357);
    EXPECT_EQ(mt.NextReal(), 0.8173300600185361);
    EXPECT_EQ(mt.NextReal(), 0.9990608997175147);
    EXPECT_EQ(mt.NextReal(), 0.5103543725587322);
    // The largest draw reaches 1.0 itself.
    EXPECT_EQ(4294967295.0 * 2.3283064370807974e-10, 1.0);
}

TEST(MersenneTwister, NextInRangeIncludesBothEndsAndWraps) {
    MersenneTwister mt(7);
    bool sawLo = false, sawHi = false;
    for (int i = 0; i < 2000; ++i) {
        int32_t v = mt.NextInRange(-3, 3);
        ASSERT_GE(v, -3);
        ASSERT_LE(v, 3);
        sawLo |= v == -3;
        sawHi |= v == 3;
    }
    EXPECT_TRUE(sawLo && sawHi);

    // Unsigned remainder, 32-bit wrapping sum: a range reaching past 2^31 values.
    MersenneTwister a(11);
    ReferenceSequence ref(11);
    const int32_t lo = -2000000000, hi = 2000000000;
    for (size_t k = 0; k < 50; ++k) {
        uint32_t expected = static_cast<uint32_t>(lo) + ref.Output(k) % 4000000001u;
        EXPECT_EQ(a.NextInRange(lo, hi), static_cast<int32_t>(expected));
    }
}

TEST(MersenneTwister, NextInRangeOfEveryValueTakesTheDrawWhole) {
    MersenneTwister mt(5);
    ReferenceSequence ref(5);
    EXPECT_EQ(static_cast<uint32_t>(mt.NextInRange(INT32_MIN, INT32_MAX)), ref.Output(0) + 0x80000000u);
    // hi = lo - 1 wraps to the same size: no division by zero either.
    EXPECT_EQ(static_cast<uint32_t>(mt.NextInRange(10, 9)), ref.Output(1) + 10u);
    // A one-value range still consumes a draw.
    EXPECT_EQ(mt.NextInRange(42, 42), 42);
    EXPECT_EQ(mt.NextU32(), ref.Output(3));
}

}  // namespace
