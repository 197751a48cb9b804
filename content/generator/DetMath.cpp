#include "DetMath.h"

#include <cmath>

namespace Art {
namespace {

// pi/2 split so that k * kHalfPiHi is exact for the small k the artwork uses.
constexpr double kHalfPiHi = 1.57079632673412561417e+00;
constexpr double kHalfPiLo = 6.07710050650619224932e-11;
constexpr double kLn2Hi = 6.93147180369123816490e-01;
constexpr double kLn2Lo = 1.90821492927058770002e-10;
constexpr double kLn2 = 0.69314718055994530942;
constexpr double kSqrtHalf = 0.70710678118654752440;
constexpr double kSqrt3 = 1.73205080756887729353;

// Taylor series on |r| <= pi/4; terms to r^17 leave an error far below 1e-15.
double SinCore(double r) {
    const double r2 = r * r;
    double s = 1.0 / 355687428096000.0;  // 1/17!
    s = s * r2 - 1.0 / 1307674368000.0;  // 1/15!
    s = s * r2 + 1.0 / 6227020800.0;     // 1/13!
    s = s * r2 - 1.0 / 39916800.0;       // 1/11!
    s = s * r2 + 1.0 / 362880.0;
    s = s * r2 - 1.0 / 5040.0;
    s = s * r2 + 1.0 / 120.0;
    s = s * r2 - 1.0 / 6.0;
    return r + r * r2 * s;
}

double CosCore(double r) {
    const double r2 = r * r;
    double c = 1.0 / 6402373705728000.0;  // 1/18!
    c = c * r2 - 1.0 / 20922789888000.0;  // 1/16!
    c = c * r2 + 1.0 / 87178291200.0;     // 1/14!
    c = c * r2 - 1.0 / 479001600.0;       // 1/12!
    c = c * r2 + 1.0 / 3628800.0;
    c = c * r2 - 1.0 / 40320.0;
    c = c * r2 + 1.0 / 720.0;
    c = c * r2 - 1.0 / 24.0;
    c = c * r2 + 0.5;
    return 1.0 - r2 * c;
}

// Quadrant k and remainder r with x = k * pi/2 + r.
void Reduce(double x, long long& k, double& r) {
    const double kf = std::floor(x * (2.0 / kPi) + 0.5);
    k = static_cast<long long>(kf);
    r = (x - kf * kHalfPiHi) - kf * kHalfPiLo;
}

// atan on 0 <= t <= tan(15 degrees).
double AtanCore(double t) {
    const double t2 = t * t;
    double s = 0.0;
    for (int n = 29; n >= 3; n -= 2) {
        const double term = 1.0 / n;
        s = ((n / 2) % 2 == 1 ? -term : term) + t2 * s;
    }
    return t + t * t2 * s;
}

double AtanPositive(double t) {
    if (t > 1.0) return kPi / 2.0 - AtanPositive(1.0 / t);
    if (t > 0.26794919243112270) return kPi / 6.0 + AtanCore((t * kSqrt3 - 1.0) / (kSqrt3 + t));
    return AtanCore(t);
}

}  // namespace

double Sin(double x) {
    long long k;
    double r;
    Reduce(x, k, r);
    switch (((k % 4) + 4) % 4) {
        case 0:
            return SinCore(r);
        case 1:
            return CosCore(r);
        case 2:
            return -SinCore(r);
        default:
            return -CosCore(r);
    }
}

double Cos(double x) {
    long long k;
    double r;
    Reduce(x, k, r);
    switch (((k % 4) + 4) % 4) {
        case 0:
            return CosCore(r);
        case 1:
            return -SinCore(r);
        case 2:
            return -CosCore(r);
        default:
            return SinCore(r);
    }
}

double Exp(double x) {
    if (x < -700.0) return 0.0;
    if (x > 700.0) x = 700.0;
    const double kf = std::floor(x / kLn2 + 0.5);
    const double r = (x - kf * kLn2Hi) - kf * kLn2Lo;
    double p = 1.0;
    for (int n = 14; n >= 1; --n) p = 1.0 + p * r / n;
    return std::ldexp(p, static_cast<int>(kf));
}

double Log(double x) {
    int e = 0;
    double m = std::frexp(x, &e);
    if (m < kSqrtHalf) {
        m *= 2.0;
        --e;
    }
    const double s = (m - 1.0) / (m + 1.0);
    const double s2 = s * s;
    double sum = 0.0;
    for (int n = 23; n >= 3; n -= 2) sum = 1.0 / n + s2 * sum;
    return 2.0 * (s + s * s2 * sum) + e * kLn2Hi + e * kLn2Lo;
}

double Pow(double x, double y) {
    if (x <= 0.0) return 0.0;
    return Exp(y * Log(x));
}

double Atan2(double y, double x) {
    if (x == 0.0 && y == 0.0) return 0.0;
    const double ax = std::fabs(x), ay = std::fabs(y);
    double a = ax >= ay ? AtanPositive(ay / ax) : kPi / 2.0 - AtanPositive(ax / ay);
    if (x < 0.0) a = kPi - a;
    return y < 0.0 ? -a : a;
}

}  // namespace Art
