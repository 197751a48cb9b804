#include "product/engine/PortableMath.h"

#include <cstdint>
#include <cstring>
#include <limits>

#include "product/engine/DoubleDouble.h"
#include "product/engine/ExactMath.h"
#include "product/engine/PortableMathTables.h"

namespace PortableMath {
namespace {

using DoubleDouble::Add;
using DoubleDouble::AddD;
using DoubleDouble::DD;
using DoubleDouble::Div;
using DoubleDouble::DivD;
using DoubleDouble::FastTwoSum;
using DoubleDouble::Mul;
using DoubleDouble::Neg;
using DoubleDouble::TwoProd;
using DoubleDouble::TwoSum;
using PortableMathTables::kHalfPi;
using PortableMathTables::kLn2;
using PortableMathTables::kLogTable;
using PortableMathTables::kLogTableFirst;

// Only pick the reduction multiple; their last bits do not matter.
constexpr double kTwoOverPi = 0.63661977236758134;
constexpr double kInvLn2 = 1.4426950408889634;

// Below this, sin x rounds to x and cos x to 1: the next term is under a quarter ulp.
constexpr double kTinyAngle = 0x1p-27;
// The three-piece reduction by pi/2 keeps k * kHalfPi[0] exact up to here (k < 2^20).
constexpr double kReductionLimit = 0x1p20;

// Relative error bounds of the kernels. Each double-double step errs by a few 2^-104 and
// the Horner schemes damp the inner steps' errors, so the true errors stay below 2^-100;
// the bounds keep a margin of 16 and more, at the price of a slow path in about one call
// in 2^40.
constexpr double kKernelError = 0x1p-96;
// exp squares its result five times, which multiplies the relative error by 32.
constexpr double kExpError = 0x1p-92;

double Infinity() { return std::numeric_limits<double>::infinity(); }

uint64_t Bits(double x) {
    uint64_t b;
    std::memcpy(&b, &x, sizeof b);
    return b;
}

double FromBits(uint64_t b) {
    double x;
    std::memcpy(&x, &b, sizeof x);
    return x;
}

int BiasedExponent(double x) { return static_cast<int>((Bits(x) >> 52) & 0x7FF); }

// 2^e for -1022 <= e <= 1023.
double PowerOfTwo(int e) { return FromBits(static_cast<uint64_t>(e + 1023) << 52); }

// x * 2^e in two exact steps; the result must be a normal double.
double ScaleByPowerOfTwo(double x, int e) {
    int half = e / 2;
    return (x * PowerOfTwo(half)) * PowerOfTwo(e - half);
}

// Half the distance from hi to its neighbours; the smaller half when hi is a power of
// two. Zero (never safe) for results too small for the test to be exact.
double HalfGap(double hi) {
    int e = BiasedExponent(hi);
    if (e < 55 || e == 0x7FF) return 0.0;
    bool powerOfTwo = (Bits(hi) & ((uint64_t{1} << 52) - 1)) == 0;
    return FromBits(static_cast<uint64_t>(e - (powerOfTwo ? 54 : 53)) << 52);
}

// v = hi + lo with |lo| at most half an ulp of hi, and the true value within err of v.
// Every value in that interval rounds to hi when it stays short of the midpoints around hi.
bool RoundIfSafe(DD v, double err, double* out) {
    if (!(std::fabs(v.lo) + 2.0 * err < HalfGap(v.hi))) return false;
    *out = v.hi;
    return true;
}

// sin r for |r| <= pi/4 (plus a hair): Taylor series by Horner's scheme in r^2,
// P = 1 - r^2 / ((2n)(2n + 1)) * P, the innermost terms (below 2^-58) in plain doubles.
DD SinKernel(DD r) {
    DD z = Mul(r, r);
    double p = 1.0;
    for (int n = 14; n >= 10; --n) p = 1.0 - z.hi * p / static_cast<double>((2 * n) * (2 * n + 1));
    DD P{p, 0.0};
    for (int n = 9; n >= 1; --n) {
        P = AddD(Neg(DivD(Mul(z, P), static_cast<double>((2 * n) * (2 * n + 1)))), 1.0);
    }
    return Mul(r, P);
}

DD CosKernel(DD r) {
    DD z = Mul(r, r);
    double p = 1.0;
    for (int n = 14; n >= 10; --n) p = 1.0 - z.hi * p / static_cast<double>((2 * n - 1) * (2 * n));
    DD P{p, 0.0};
    for (int n = 9; n >= 1; --n) {
        P = AddD(Neg(DivD(Mul(z, P), static_cast<double>((2 * n - 1) * (2 * n)))), 1.0);
    }
    return P;
}

double SinCos(double x, bool cosine) {
    double ax = std::fabs(x);
    if (!(ax < kReductionLimit)) {
        if (std::isnan(x) || std::isinf(x)) return std::numeric_limits<double>::quiet_NaN();
        return cosine ? ExactMath::Cos(x) : ExactMath::Sin(x);
    }
    if (ax < kTinyAngle) return cosine ? 1.0 : x;

    // r = ax - k pi/2. t is exact (k * kHalfPi[0] is exact and lies within a factor of
    // two of ax); the second piece's product is split exactly, the third rounds.
    double k = std::floor(ax * kTwoOverPi + 0.5);
    DD r{ax, 0.0};
    double reductionError = 0.0;
    if (k != 0.0) {
        double t = ax - k * kHalfPi[0];
        DD p = TwoProd(k, kHalfPi[1]);
        DD s = TwoSum(t, -p.hi);
        double tail = (s.lo - p.lo) - k * kHalfPi[2];
        r = TwoSum(s.hi, tail);
        reductionError = (std::fabs(s.lo) + 0x1p-64) * 0x1p-51;
    }

    unsigned quadrant = static_cast<unsigned>(k) & 3u;
    bool useCos = ((quadrant & 1u) != 0) != cosine;
    bool negate = cosine ? (quadrant == 1 || quadrant == 2) : quadrant >= 2;
    if (!cosine && x < 0) negate = !negate;
    DD v = useCos ? CosKernel(r) : SinKernel(r);
    double result;
    if (!RoundIfSafe(v, kKernelError * std::fabs(v.hi) + reductionError, &result)) {
        return cosine ? ExactMath::Cos(x) : ExactMath::Sin(x);
    }
    return negate ? -result : result;
}

// ln x for finite x > 0, x != 1, and a bound on the absolute error. x = 2^e * m with m in
// [0.75, 1.5), m = c (1 + ...) with c = j/64 the nearest table point, and
// ln m = ln c + 2 atanh(z), z = (m - c) / (m + c), |z| < 0.0053.
DD LogKernel(double x, double* error) {
    int e = 0;
    if (BiasedExponent(x) == 0) {
        x *= 0x1p54;
        e = -54;
    }
    e += BiasedExponent(x) - 1023;
    double m = FromBits((Bits(x) & ((uint64_t{1} << 52) - 1)) | (uint64_t{1023} << 52));
    if (m >= 1.5) {
        m *= 0.5;
        ++e;
    }
    double j = std::floor(m * 64.0 + 0.5);
    double c = j * 0.015625;
    DD z = Div(DD{m - c, 0.0}, TwoSum(m, c));  // m - c is exact
    DD w = Mul(z, z);

    // atanh(z) / z = sum of w^n / (2n + 1); from n = 4 on the terms are below 2^-61.
    double tail = 1.0 / 15.0;
    tail = 1.0 / 13.0 + w.hi * tail;
    tail = 1.0 / 11.0 + w.hi * tail;
    tail = 1.0 / 9.0 + w.hi * tail;
    DD P{tail, 0.0};
    for (int n = 3; n >= 1; --n) P = Add(DivD(DD{1.0, 0.0}, 2.0 * n + 1.0), Mul(w, P));
    P = AddD(Mul(w, P), 1.0);
    DD lnm = Mul(z, P);
    lnm = DD{2.0 * lnm.hi, 2.0 * lnm.lo};

    const double* lnc = kLogTable[static_cast<int>(j) - kLogTableFirst];
    double ed = e;
    DD eLn2 = AddD(TwoProd(ed, kLn2[1]), ed * kLn2[2]);
    eLn2 = Add(DD{ed * kLn2[0], 0.0}, eLn2);
    DD sum = Add(Add(eLn2, DD{lnc[0], lnc[1]}), lnm);
    *error = kKernelError * (std::fabs(eLn2.hi) + std::fabs(lnc[0]) + std::fabs(lnm.hi));
    return sum;
}

// exp(t) = 2^k * result for |t.hi| <= 746: r = t - k ln 2 (|r| <= 0.35) and
// exp(r) = exp(r/32)^32, the Taylor series of exp(r/32) by Horner's scheme.
DD ExpKernel(DD t, int* k) {
    double kd = std::floor(t.hi * kInvLn2 + 0.5);
    double a = t.hi - kd * kLn2[0];  // exact, as in the reduction by pi/2
    DD p = TwoProd(kd, kLn2[1]);
    DD r = TwoSum(a, -p.hi);
    r = AddD(r, t.lo);
    r = AddD(r, -p.lo);
    r = AddD(r, -(kd * kLn2[2]));

    DD s{r.hi * 0x1p-5, r.lo * 0x1p-5};
    double q = 1.0;
    for (int n = 13; n >= 8; --n) q = 1.0 + s.hi * q / n;
    DD P{q, 0.0};
    for (int n = 7; n >= 1; --n) P = AddD(DivD(Mul(s, P), n), 1.0);
    for (int i = 0; i < 5; ++i) P = Mul(P, P);
    *k = static_cast<int>(kd);
    return P;
}

bool IsOddInteger(double y) {
    if (!(std::fabs(y) < 0x1p53) || std::floor(y) != y) return false;
    return (static_cast<int64_t>(y) & 1) != 0;
}

// x^y for finite x > 0, x != 1, finite y.
double PowPositive(double x, double y) {
    // |ln x| >= 2^-53 here, so |y ln x| would pass any limit below.
    if (!(std::fabs(y) < 0x1p64)) return (x > 1) == (y > 0) ? Infinity() : 0.0;
    double logError;
    DD lnx = LogKernel(x, &logError);
    DD t = TwoProd(y, lnx.hi);
    t = FastTwoSum(t.hi, t.lo + y * lnx.lo);
    if (std::fabs(t.hi) < 0x1p-60) return 1.0;
    if (t.hi > 709.79) return Infinity();  // beyond the largest double by far more than the error
    if (t.hi < -745.2) return 0.0;         // below half the smallest subnormal

    int k;
    DD m = ExpKernel(t, &k);
    // An absolute error in t is a relative one in exp(t).
    double tError = std::fabs(y) * logError + 0x1p-100 * std::fabs(t.hi);
    double mantissa;
    if (RoundIfSafe(m, (kExpError + tError) * m.hi, &mantissa)) {
        int exponent = k + BiasedExponent(mantissa) - 1023;
        if (exponent > 1023) return Infinity();
        if (exponent >= -1022) return ScaleByPowerOfTwo(mantissa, k);
    }
    // Undecided, or subnormal, where fewer bits are kept.
    return ExactMath::Pow(x, y);
}

}  // namespace

double Sin(double x) { return SinCos(x, false); }

double Cos(double x) { return SinCos(x, true); }

double Log(double x) {
    if (std::isnan(x)) return x;
    if (x < 0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0) return -Infinity();
    if (std::isinf(x)) return x;
    if (x == 1) return 0.0;
    double error;
    DD v = LogKernel(x, &error);
    double result;
    if (RoundIfSafe(v, error, &result)) return result;
    return ExactMath::Log(x);
}

double Pow(double x, double y) {
    if (y == 0 || x == 1) return 1.0;
    if (std::isnan(x) || std::isnan(y)) return x + y;
    if (std::isinf(y)) {
        double ax = std::fabs(x);
        if (ax == 1) return 1.0;
        return (ax < 1) == (y < 0) ? Infinity() : 0.0;
    }
    bool oddY = IsOddInteger(y);
    if (x == 0) {
        if (y < 0) return oddY ? std::copysign(Infinity(), x) : Infinity();
        return oddY ? x : 0.0;
    }
    if (std::isinf(x)) {
        if (x > 0) return y < 0 ? 0.0 : Infinity();
        if (y < 0) return oddY ? -0.0 : 0.0;
        return oddY ? -Infinity() : Infinity();
    }
    if (x < 0 && std::floor(y) != y) return std::numeric_limits<double>::quiet_NaN();
    // Single IEEE operations round correctly by themselves, midpoints included.
    if (y == 1) return x;
    if (y == 2) return x * x;
    if (y == -1) return 1.0 / x;
    if (y == 0.5) return std::sqrt(x);

    double r = PowPositive(std::fabs(x), y);
    return x < 0 && oddY ? -r : r;
}

}  // namespace PortableMath
