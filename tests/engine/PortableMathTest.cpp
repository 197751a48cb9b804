// The fast elementary functions: special values, agreement with the multi-precision
// evaluation (on every build), correct rounding against long double (natively), the
// derived constants, and a checked-in table of arguments that sit close to a rounding
// boundary or that the C libraries round wrongly.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "product/engine/ExactMath.h"
#include "product/engine/PortableMath.h"
#include "product/engine/PortableMathTables.h"
#include "tests/engine/MathHardCases.h"
#include "tests/engine/MathSample.h"

namespace {

using MathTest::Bits;
using MathTest::kRadiansPerDegree;
using MathTest::Sample;

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Same value and same sign of zero; any NaN matches any NaN.
void ExpectSame(double actual, double expected, const char* what) {
    if (std::isnan(expected)) {
        EXPECT_TRUE(std::isnan(actual)) << what;
    } else {
        EXPECT_EQ(Bits(actual), Bits(expected)) << what << ": " << actual << " expected " << expected;
    }
}

TEST(PortableMath, SpecialValuesFollowTheCLibrary) {
    ExpectSame(PortableMath::Sin(-0.0), -0.0, "sin -0");
    ExpectSame(PortableMath::Sin(kInf), kNaN, "sin inf");
    ExpectSame(PortableMath::Cos(kNaN), kNaN, "cos nan");
    ExpectSame(PortableMath::Cos(-0.0), 1.0, "cos -0");
    ExpectSame(PortableMath::Sin(1e-10), 1e-10, "sin tiny");
    ExpectSame(PortableMath::Cos(1e-10), 1.0, "cos tiny");
    ExpectSame(PortableMath::Log(1.0), 0.0, "log 1");
    ExpectSame(PortableMath::Log(0.0), -kInf, "log 0");
    ExpectSame(PortableMath::Log(-0.0), -kInf, "log -0");
    ExpectSame(PortableMath::Log(-1.0), kNaN, "log -1");
    ExpectSame(PortableMath::Log(kInf), kInf, "log inf");
    ExpectSame(PortableMath::Log(0x1p-1074), -744.4400719213812, "log of the smallest subnormal");
}

TEST(PortableMath, PowSpecialCases) {
    struct Case {
        double x, y, expected;
    } cases[] = {
        // clang-format off
        {kNaN, 0.0, 1.0}, {1.0, kNaN, 1.0}, {kNaN, 1.0, kNaN}, {2.0, kNaN, kNaN},
        {-1.0, kInf, 1.0}, {0.5, -kInf, kInf}, {0.5, kInf, 0.0}, {2.0, -kInf, 0.0}, {2.0, kInf, kInf},
        {-0.0, -3.0, -kInf}, {-0.0, -2.0, kInf}, {0.0, -0.5, kInf}, {-0.0, 3.0, -0.0}, {-0.0, 2.0, 0.0},
        {-0.0, 0.5, 0.0}, {kInf, -1.0, 0.0}, {kInf, 0.5, kInf}, {-kInf, -3.0, -0.0}, {-kInf, -2.0, 0.0},
        {-kInf, 3.0, -kInf}, {-kInf, 0.5, kInf}, {-2.0, 0.5, kNaN}, {-8.0, 1.0 / 3.0, kNaN},
        {-2.0, 3.0, -8.0}, {-2.0, -2.0, 0.25}, {10.0, 2.0, 100.0}, {10.0, 0.5, std::sqrt(10.0)},
        {10.0, -1.0, 0.1}, {10.0, 3.0, 1000.0}, {4.0, 1.5, 8.0}, {134217727.0, 3.0, 0x1.ffffff4000001p+80},
        // Overflow, underflow into and below the subnormals (2^-1075 is a tie, to even: 0).
        {2.0, 1024.0, kInf}, {2.0, -1074.0, 0x1p-1074}, {2.0, -1075.0, 0.0}, {0.5, 0x1p70, 0.0},
        {2.0, -0x1p70, 0.0}, {1.0 + 0x1p-52, 0x1p70, kInf}, {-3.0, 0x1p60, kInf},
        // Exact halfway cases (54-bit odd cubes) go to even.
        {262143.0, 3.0, 0x1.fffe800060000p+53}, {208065.0, 3.0, 0x1.00011add69b20p+53},
        // clang-format on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pow(" << c.x << ", " << c.y << ")");
        ExpectSame(PortableMath::Pow(c.x, c.y), c.expected, "pow");
    }
}

// Arguments as the effect produces them, plus wider ranges that exercise every branch.
double Degrees(Sample& s) { return s.Uniform(-360.0, 720.0) * kRadiansPerDegree; }
double WholeDegrees(Sample& s) { return std::floor(s.Uniform(-360.0, 721.0)) * kRadiansPerDegree; }
double Radians(Sample& s) { return s.Uniform(-6.3, 12.6); }
double WideRadians(Sample& s) { return s.Uniform(-1e6, 1e6); }

TEST(PortableMath, AgreesWithTheMultiPrecisionEvaluation) {
    Sample s(20240611);
    const int n = 250;
    for (auto arg : {Degrees, WholeDegrees, Radians, WideRadians}) {
        for (int i = 0; i < n; ++i) {
            double x = arg(s);
            ASSERT_EQ(Bits(PortableMath::Sin(x)), Bits(ExactMath::Sin(x))) << std::hexfloat << "sin " << x;
            ASSERT_EQ(Bits(PortableMath::Cos(x)), Bits(ExactMath::Cos(x))) << std::hexfloat << "cos " << x;
        }
    }
    for (double huge : {1e22, 0x1p1023, -3.0e200, 1048576.5}) {
        EXPECT_EQ(Bits(PortableMath::Sin(huge)), Bits(ExactMath::Sin(huge)));
        EXPECT_EQ(Bits(PortableMath::Cos(huge)), Bits(ExactMath::Cos(huge)));
    }
    for (int i = 0; i < n; ++i) {
        double a = s.Uniform(1.0, 1000.0), b = s.Uniform(0.01, 100.0);
        double c = s.Uniform(1.0, 2.0);
        c = std::ldexp(c, static_cast<int>(s.Next() % 2098) - 1074);
        for (double x : {a, b, c})
            ASSERT_EQ(Bits(PortableMath::Log(x)), Bits(ExactMath::Log(x))) << "log " << x;
    }
    for (int i = 0; i < n; ++i) {
        double e = s.Uniform(-2.0, 2.0);
        double v = s.Uniform(0.01, 100.0), r = s.Uniform(-1.0, 1.0);
        double tiny = s.Uniform(0.5, 2.0), deep = s.Uniform(-1.1, -1.0) * 1074.0;  // subnormal results
        ASSERT_EQ(Bits(PortableMath::Pow(10.0, e)), Bits(ExactMath::Pow(10.0, e))) << "10^" << e;
        ASSERT_EQ(Bits(PortableMath::Pow(v, r)), Bits(ExactMath::Pow(v, r))) << v << "^" << r;
        ASSERT_EQ(Bits(PortableMath::Pow(tiny, deep * 2.0)), Bits(ExactMath::Pow(tiny, deep * 2.0)));
    }
}

#if defined(_WIN32)
TEST(PortableMath, CorrectlyRoundedAgainstLongDouble) {
    GTEST_SKIP() << "the long double reference is the native build's; Windows builds check the tables";
}
#else
// The double nearest to a long double reference accurate to about 2^-63, or nothing when
// the reference lies too close to a midpoint to decide.
bool Decide(long double reference, double* out) {
    long double margin = std::fabs(reference) * 0x1p-61L;
    double lo = static_cast<double>(reference - margin);
    double hi = static_cast<double>(reference + margin);
    if (lo != hi) return false;
    *out = lo;
    return true;
}

TEST(PortableMath, CorrectlyRoundedAgainstLongDouble) {
    Sample s(7);
    const int n = 100000;
    int undecided = 0;
    auto check = [&](double actual, long double reference, const std::function<double()>& exact) {
        double expected;
        if (!Decide(reference, &expected)) {
            ++undecided;
            expected = exact();
        }
        return Bits(actual) == Bits(expected);
    };
    for (int i = 0; i < n; ++i) {
        double x = i % 2 ? Degrees(s) : Radians(s);
        ASSERT_TRUE(check(PortableMath::Sin(x), sinl(x), [&] { return ExactMath::Sin(x); }))
            << std::hexfloat << x;
        ASSERT_TRUE(check(PortableMath::Cos(x), cosl(x), [&] { return ExactMath::Cos(x); }))
            << std::hexfloat << x;
        double v = i % 2 ? s.Uniform(1.0, 1000.0) : s.Uniform(0.01, 100.0);
        ASSERT_TRUE(check(PortableMath::Log(v), logl(v), [&] { return ExactMath::Log(v); }))
            << std::hexfloat << v;
        double b = i % 2 ? 10.0 : s.Uniform(0.01, 100.0);
        double e = i % 2 ? s.Uniform(-2.0, 2.0) : s.Uniform(-1.0, 1.0);
        ASSERT_TRUE(check(PortableMath::Pow(b, e), powl(b, e), [&] { return ExactMath::Pow(b, e); }))
            << std::hexfloat << b << " ^ " << e;
    }
    // Roughly one in a hundred; a jump would mean the reference has gone wrong.
    EXPECT_LT(undecided, n / 20);
}
#endif

TEST(PortableMath, TablesMatchTheMultiPrecisionConstants) {
    using namespace PortableMathTables;
    double pieces[3];
    ExactMath::SplitHalfPi(kHalfPiBits, 3, pieces);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Bits(kHalfPi[i]), Bits(pieces[i])) << "pi/2 piece " << i;
    ExactMath::SplitLn2(kLn2Bits, 3, pieces);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(Bits(kLn2[i]), Bits(pieces[i])) << "ln 2 piece " << i;
    for (int j = kLogTableFirst; j <= kLogTableLast; ++j) {
        ExactMath::SplitLog(j / 64.0, 2, pieces);
        EXPECT_EQ(Bits(kLogTable[j - kLogTableFirst][0]), Bits(pieces[0])) << "ln " << j << "/64";
        EXPECT_EQ(Bits(kLogTable[j - kLogTableFirst][1]), Bits(pieces[1])) << "ln " << j << "/64";
    }
}

TEST(PortableMath, HardCasesRoundCorrectly) {
    for (const auto& c : MathTest::kHardCases) {
        double actual = 0;
        switch (c.function) {
            case 's':
                actual = PortableMath::Sin(c.x);
                break;
            case 'c':
                actual = PortableMath::Cos(c.x);
                break;
            case 'l':
                actual = PortableMath::Log(c.x);
                break;
            case 'p':
                actual = PortableMath::Pow(c.x, c.y);
                break;
        }
        EXPECT_EQ(Bits(actual), Bits(c.expected)) << c.function << std::hexfloat << " " << c.x << " " << c.y;
    }
}

}  // namespace
