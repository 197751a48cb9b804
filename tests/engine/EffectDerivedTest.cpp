// The sanitised copy of the settings and the quantities derived from it. Expected values
// of the formulas were computed separately with exact rounding of each operation.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "product/engine/EffectDerived.h"
#include "product/engine/PortableMath.h"
#include "tests/engine/MathSample.h"

namespace {

using MathTest::Bits;
using MathTest::Sample;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

EffectParameters DialogBlock(Sample& s) {
    EffectParameters p;
    std::memset(&p, static_cast<int>(s.Next() & 0xFF), sizeof p);  // padding as a host may leave it
    size_t length = s.Next() % 260;
    std::memset(p.path, 'a' + static_cast<int>(s.Next() % 26), length);
    std::memset(p.path + length, 0, sizeof p.path - length);
    p.presetCategory = static_cast<int32_t>(s.Next() % 5) - 1;
    p.density = 1 + static_cast<int32_t>(s.Next() % 100);
    p.scale = s.Next() % 4 ? SliderFactor(static_cast<int32_t>(s.Next() % 201) - 100) : 1.0;
    p.randomScale = s.Next() % 3 ? SliderFactor(1 + static_cast<int32_t>(s.Next() % 100)) : 1.0;
    p.rotationAngle = static_cast<double>(s.Next() % 360);
    p.randomRotation = s.Next() % 3 ? static_cast<double>(1 + s.Next() % 180) : 0.0;
    p.randomSeed = static_cast<int32_t>(s.Next() % 10001);
    p.textureAmount = 1 + static_cast<int32_t>(s.Next() % 100);
    p.opacity = static_cast<uint8_t>(s.Next());
    return p;
}

TEST(EffectDerived, DialogBlocksComeBackUnchangedBitForBit) {
    Sample s(99);
    for (int i = 0; i < 5000; ++i) {
        EffectParameters p = DialogBlock(s);
        EffectParameters q = SanitizedEffectParameters(p);
        ASSERT_EQ(std::memcmp(&p, &q, sizeof p), 0) << "block " << i;
    }
}

TEST(EffectDerived, HostileFieldsTakeSoundValues) {
    EffectParameters p;
    std::memset(&p, 'A', sizeof p);  // no terminator anywhere
    p.scale = kNaN;
    p.randomScale = -2.0;
    p.rotationAngle = 725.0;
    p.randomRotation = -kInf;
    p.textureAmount = 100000000;
    EffectParameters q = SanitizedEffectParameters(p);
    EXPECT_EQ(q.path[259], 0);
    EXPECT_EQ(std::memcmp(q.path, p.path, 259), 0);
    EXPECT_EQ(q.scale, 1.0);
    EXPECT_EQ(q.randomScale, 1.0);
    EXPECT_FALSE(IsRandomScaling(q));
    EXPECT_EQ(q.rotationAngle, 5.0);
    EXPECT_EQ(q.randomRotation, 0.0);
    EXPECT_FALSE(IsRandomRotation(q));
    EXPECT_EQ(q.textureAmount, 100);

    struct Scale {
        double in, out;
    } scales[] = {{kInf, 1.0},    {0.0, 1.0},     {-0.0, 1.0}, {-1.0, 1.0},
                  {1e300, 100.0}, {1e-300, 0.01}, {0.05, 0.05}};
    for (const Scale& c : scales) {
        p.scale = c.in;
        p.randomScale = c.in;
        q = SanitizedEffectParameters(p);
        EXPECT_EQ(q.scale, c.out) << c.in;
        EXPECT_EQ(q.randomScale, c.out) << c.in;
    }
    p.rotationAngle = -725.0;
    p.randomRotation = 1e300;
    p.textureAmount = INT32_MIN;
    q = SanitizedEffectParameters(p);
    EXPECT_EQ(q.rotationAngle, -5.0);
    EXPECT_TRUE(q.randomRotation >= 0.0 && q.randomRotation < 360.0);
    EXPECT_EQ(q.textureAmount, 0);
}

TEST(EffectDerived, SliderFactorsAreCorrectlyRoundedPowersOfTen) {
    EXPECT_EQ(SliderFactor(0), 1.0);
    EXPECT_EQ(SliderFactor(100), 10.0);
    EXPECT_EQ(SliderFactor(-100), 0.1);
    EXPECT_EQ(SliderFactor(50), std::sqrt(10.0));
    EXPECT_EQ(SliderFactor(1), 0x1.05f687901262cp+0);
    EXPECT_EQ(SliderFactor(37), 0x1.2c0fb09811e7ep+1);
}

TEST(EffectDerived, MeanScaleIsTheRootMeanSquareCopyScale) {
    EXPECT_EQ(Bits(MeanScale(2.5, 1.0)), Bits(2.5));
    EXPECT_EQ(MeanScale(1.0, 10.0), 0x1.a5bed650c0a57p+1);
    EXPECT_EQ(MeanScale(2.5, 0x1.2c0fb09811e7ep+1), 0x1.8f9363a60e48cp+1);
    // What the formula stands for, by Simpson's rule over the draw r.
    for (double v : {1.023, 2.0, 10.0, 0.5, 100.0}) {
        const int steps = 2000;
        double sum = 0.0;
        for (int i = 0; i <= steps; ++i) {
            double k = 1.5 * std::pow(v, 2.0 * i / steps - 1.0);
            sum += (i == 0 || i == steps ? 1.0 : (i % 2 ? 4.0 : 2.0)) * k * k;
        }
        EXPECT_NEAR(MeanScale(1.5, v), std::sqrt(sum / (3.0 * steps)), 1e-9 * MeanScale(1.5, v)) << v;
    }
}

TEST(EffectDerived, CopyCountMultipliesInTheFixedOrderAndIsHeldTo1To10000) {
    // (100 * 29) * 0.01 truncates to 29; 100 * (29 * 0.01) would give 28.
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 100, 100}, 40, 25, 1.0, 29), 29);
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 10000, 10000}, 10, 10, 1.0, 100), 10000);
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 50000, 50000}, 10, 10, 1.0, 100), 10000);  // beyond 2^31 pixels
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 10000, 10000}, 10, 10, 1.0, 50), 5000);
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 300, 200}, 10, 10, 1.0, 2000000000), 10000);
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 300, 200}, 10, 10, 1.0, INT32_MIN), 1);
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 20, 20}, 64, 64, 1.0, 1), 1);
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 300, 200}, 10, 10, kNaN, 50), 1);
    EXPECT_EQ(CopyCount(OrvRect{0, 0, 300, 200}, 0, 10, 1.0, 50), 5000);
    EXPECT_EQ(CopyCount(OrvRect{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, 1, 1, 0.01, 100), 10000);
}

TEST(EffectDerived, PlacementAreaHangsInTruncatedTowardZero) {
    const OrvRect filter{10, 0, 500, 400};
    EXPECT_EQ(PlacementArea(filter, 7, 20, 1.5, true), filter);
    EXPECT_EQ(PlacementArea(filter, 7, 20, 1.5, false), (OrvRect{0, -30, 500, 400}));  // trunc(-0.5) is 0
    EXPECT_EQ(PlacementArea(OrvRect{-5, -5, 5, 5}, 2000000000, 1, 100.0, false),
              (OrvRect{INT32_MIN, -105, 5, 5}));
    EXPECT_EQ(PlacementArea(filter, 7, 20, kNaN, false), filter);
}

TEST(EffectDerived, CopyAngleAndScaleSpanTheRandomRange) {
    EXPECT_EQ(CopyAngle(30.0, 20.0, 0.0), 10.0);
    EXPECT_EQ(CopyAngle(30.0, 20.0, 1.0), 50.0);
    EXPECT_EQ(CopyAngle(30.0, 20.0, 0.5), 30.0);
    EXPECT_EQ(CopyScale(2.0, 4.0, 0.0), 0.5);
    EXPECT_EQ(CopyScale(2.0, 4.0, 1.0), 8.0);
    EXPECT_EQ(CopyScale(2.0, 4.0, 0.5), 2.0);
    EXPECT_EQ(CopyScale(2.0, 4.0, 0.75), 2.0 * PortableMath::Pow(4.0, 0.5));
}

}  // namespace
