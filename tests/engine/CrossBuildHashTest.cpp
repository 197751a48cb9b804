// The same inputs must give the same bits on every build. Each group below hashes a large
// deterministic batch of results; the expected hashes are the same constants on the
// native, 32-bit and 64-bit Windows builds, so this passes on all three only if they agree.
// The elementary-function hash is also that of the million correctly rounded values,
// worked out separately at 200 bits.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>

#include "product/engine/EffectDerived.h"
#include "product/engine/ExactMath.h"
#include "product/engine/Matrix3.h"
#include "product/engine/MersenneTwister.h"
#include "product/engine/PortableMath.h"
#include "tests/engine/MathSample.h"

namespace {

using MathTest::Bits;
using MathTest::kRadiansPerDegree;
using MathTest::Sample;

class Hash {
public:
    void Add(uint64_t v) {
        for (int i = 0; i < 8; ++i) {
            hash = (hash ^ ((v >> (8 * i)) & 0xFF)) * 0x100000001B3ull;
        }
    }
    void Add(double v) { Add(Bits(v)); }
    void Add(const OrvRect& r) {
        for (int32_t v : {r.left, r.top, r.right, r.bottom})
            Add(static_cast<uint64_t>(static_cast<uint32_t>(v)));
    }
    uint64_t Value() const { return hash; }

private:
    uint64_t hash = 0xCBF29CE484222325ull;
};

void ExpectHash(const Hash& h, uint64_t expected, const char* group) {
    EXPECT_EQ(h.Value(), expected) << group << " hash is 0x" << std::hex << h.Value();
}

TEST(CrossBuildHash, ElementaryFunctions) {
    Sample s(1);
    Hash h;
    for (int i = 0; i < 250000; ++i) {
        double phi = s.Uniform(-360.0, 720.0) * kRadiansPerDegree;
        h.Add(PortableMath::Sin(phi));
        h.Add(PortableMath::Cos(phi));
        h.Add(PortableMath::Log(i % 2 ? s.Uniform(1.0, 1000.0) : s.Uniform(0.01, 100.0)));
        // Draws in separate statements: argument order is unspecified.
        const double base = i % 2 ? 10.0 : s.Uniform(0.01, 100.0);
        const double exponent = i % 2 ? s.Uniform(-2.0, 2.0) : s.Uniform(-1.0, 1.0);
        h.Add(PortableMath::Pow(base, exponent));
    }
    ExpectHash(h, 0xBE0F9C6FD6B96E52ull, "elementary functions");
}

TEST(CrossBuildHash, MultiPrecisionPath) {
    Sample s(2);
    Hash h;
    for (int i = 0; i < 40; ++i) {
        double x = s.Uniform(-1e4, 1e4);
        h.Add(ExactMath::Sin(x));
        h.Add(ExactMath::Cos(x));
        h.Add(ExactMath::Log(s.Uniform(0.0, 1e6)));
        const double base = s.Uniform(0.01, 100.0);
        h.Add(ExactMath::Pow(base, s.Uniform(-200.0, 200.0)));
    }
    ExpectHash(h, 0x264F04FC0D838110ull, "multi-precision path");
}

TEST(CrossBuildHash, GeneratorAndMatrices) {
    Hash h;
    for (uint32_t seed : {0u, 1u, 2u, 4357u, 9999u, 10000u}) {
        MersenneTwister mt(seed);
        for (int i = 0; i < 1500; ++i) {
            h.Add(static_cast<uint64_t>(mt.NextU32()));
            h.Add(mt.NextReal());
            h.Add(static_cast<uint64_t>(static_cast<uint32_t>(mt.NextInRange(-137, 5000))));
        }
    }
    // Copies as placement makes them, then the drawing's mapping into a reduced buffer.
    MersenneTwister mt(31);
    for (int i = 0; i < 3000; ++i) {
        const int w = 16 + static_cast<int>(mt.NextU32() % 200),
                  h2 = 16 + static_cast<int>(mt.NextU32() % 200);
        const double a = CopyAngle(35.0, 180.0, mt.NextReal());
        const double k = CopyScale(1.7, 4.0, mt.NextReal());
        Matrix3 m = Matrix3::Translation(-(w / 2), -(h2 / 2));
        m.AppendRotation(-a);
        m.AppendTranslation(w / 2, h2 / 2);
        m.AppendScaling(k, k);
        const int32_t x = mt.NextInRange(-300, 2000);
        m.AppendTranslation(x, mt.NextInRange(-300, 1500));
        h.Add(m.MapBox(OrvRect{0, 0, w, h2}));
        ASSERT_TRUE(m.Invert());
        Matrix3 b = m;
        b.PrependTranslation(128.0, 256.0);
        b.PrependScaling(7.0 / 3.0, 7.0 / 3.0);
        OrvRect run;
        ASSERT_TRUE(b.SolveBox(OrvRect{0, 0, w, h2}, &run));
        h.Add(run);
        for (const auto& row : b.m) {
            for (double v : row) h.Add(v);
        }
    }
    ExpectHash(h, 0x389B99343CC02290ull, "generator and matrices");
}

TEST(CrossBuildHash, DerivedQuantities) {
    Hash h;
    for (int32_t p = -100; p <= 100; ++p) h.Add(SliderFactor(p));
    Sample s(3);
    for (int i = 0; i < 2000; ++i) {
        double u = MeanScale(s.Uniform(0.1, 10.0), i % 3 ? SliderFactor(1 + i % 100) : 1.0);
        h.Add(u);
        OrvRect area =
            PlacementArea(OrvRect{0, 0, 100 + i, 3000 - i}, 10 + i % 90, 5 + i % 60, u, i % 4 == 0);
        h.Add(area);
        h.Add(static_cast<uint64_t>(CopyCount(area, 10 + i % 90, 5 + i % 60, u, 1 + i % 100)));
    }
    ExpectHash(h, 0x0C0583D9726232DDull, "derived quantities");
}

}  // namespace
