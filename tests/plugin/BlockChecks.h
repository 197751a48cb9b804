// Checks of a parameter block as the host holds it.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "product/engine/EffectParameters.h"

// A fresh block: every byte zero except the defaults.
inline void ExpectDefaultBlock(const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(bytes.size(), sizeof(EffectParameters));
    EffectParameters expected;
    std::memset(&expected, 0, sizeof expected);
    ResetEffectParameters(expected);
    EXPECT_EQ(std::memcmp(bytes.data(), &expected, sizeof expected), 0)
        << "block differs from zeroed defaults";
    EffectParameters p;
    std::memcpy(&p, bytes.data(), sizeof p);
    EXPECT_EQ(p.path[0], 0);
    EXPECT_EQ(p.density, 10);
    EXPECT_EQ(p.randomSeed, 1);
    EXPECT_EQ(p.textureAmount, 50);
    EXPECT_EQ(p.opacity, 255);
    EXPECT_EQ(p.scale, 1.0);
    EXPECT_EQ(p.randomScale, 1.0);
    EXPECT_EQ(p.orderByDepth, 0);
}
