#include "product/engine/ExactMath.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

namespace ExactMath {
namespace {

// Unsigned integers as little-endian 32-bit limbs, kept without leading zero limbs.
using Limbs = std::vector<uint32_t>;

// Fraction bits of the fixed-point values. The hardest doubles to round need about 120
// bits beyond the result's own 53; this leaves a wide margin for the few units of error
// that truncating series and constants add up.
constexpr int kFraction = 256;

// Guard bits for the series that produce the constants.
constexpr int kGuard = 40;

void Trim(Limbs& a) {
    while (!a.empty() && a.back() == 0) a.pop_back();
}

Limbs FromU64(uint64_t v) {
    Limbs r{static_cast<uint32_t>(v), static_cast<uint32_t>(v >> 32)};
    Trim(r);
    return r;
}

int BitLength(const Limbs& a) {
    if (a.empty()) return 0;
    int bits = static_cast<int>(a.size() - 1) * 32;
    for (uint32_t top = a.back(); top != 0; top >>= 1) ++bits;
    return bits;
}

int Compare(const Limbs& a, const Limbs& b) {
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
    for (size_t i = a.size(); i-- > 0;) {
        if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
    }
    return 0;
}

Limbs Add(const Limbs& a, const Limbs& b) {
    const Limbs& x = a.size() >= b.size() ? a : b;
    const Limbs& y = a.size() >= b.size() ? b : a;
    Limbs r(x.size() + 1);
    uint64_t carry = 0;
    for (size_t i = 0; i < x.size(); ++i) {
        uint64_t s = uint64_t{x[i]} + (i < y.size() ? y[i] : 0) + carry;
        r[i] = static_cast<uint32_t>(s);
        carry = s >> 32;
    }
    r[x.size()] = static_cast<uint32_t>(carry);
    Trim(r);
    return r;
}

// a - b for a >= b.
Limbs Sub(const Limbs& a, const Limbs& b) {
    Limbs r(a.size());
    uint64_t borrow = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        uint64_t d = uint64_t{a[i]} - (i < b.size() ? b[i] : 0) - borrow;
        r[i] = static_cast<uint32_t>(d);
        borrow = (d >> 32) != 0 ? 1 : 0;
    }
    Trim(r);
    return r;
}

Limbs Mul(const Limbs& a, const Limbs& b) {
    if (a.empty() || b.empty()) return {};
    Limbs r(a.size() + b.size());
    for (size_t i = 0; i < a.size(); ++i) {
        uint64_t carry = 0;
        for (size_t j = 0; j < b.size(); ++j) {
            uint64_t t = uint64_t{a[i]} * b[j] + r[i + j] + carry;
            r[i + j] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        r[i + b.size()] = static_cast<uint32_t>(carry);
    }
    Trim(r);
    return r;
}

void MulSmall(Limbs& a, uint32_t m) {
    uint64_t carry = 0;
    for (uint32_t& limb : a) {
        uint64_t t = uint64_t{limb} * m + carry;
        limb = static_cast<uint32_t>(t);
        carry = t >> 32;
    }
    if (carry != 0) a.push_back(static_cast<uint32_t>(carry));
    Trim(a);
}

// Divides in place, truncating; returns the remainder.
uint32_t DivSmall(Limbs& a, uint32_t d) {
    uint64_t rem = 0;
    for (size_t i = a.size(); i-- > 0;) {
        uint64_t cur = (rem << 32) | a[i];
        a[i] = static_cast<uint32_t>(cur / d);
        rem = cur % d;
    }
    Trim(a);
    return static_cast<uint32_t>(rem);
}

Limbs ShiftLeft(const Limbs& a, int n) {
    if (a.empty()) return {};
    size_t limbs = static_cast<size_t>(n) / 32;
    int bits = n % 32;
    Limbs r(a.size() + limbs + 1, 0);
    for (size_t i = 0; i < a.size(); ++i) {
        uint64_t v = uint64_t{a[i]} << bits;
        r[i + limbs] |= static_cast<uint32_t>(v);
        r[i + limbs + 1] |= static_cast<uint32_t>(v >> 32);
    }
    Trim(r);
    return r;
}

// Truncating right shift.
Limbs ShiftRight(const Limbs& a, int n) {
    size_t limbs = static_cast<size_t>(n) / 32;
    if (limbs >= a.size()) return {};
    int bits = n % 32;
    Limbs r(a.size() - limbs);
    for (size_t i = 0; i < r.size(); ++i) {
        uint64_t v = a[i + limbs];
        if (i + limbs + 1 < a.size()) v |= uint64_t{a[i + limbs + 1]} << 32;
        r[i] = static_cast<uint32_t>(v >> bits);
    }
    Trim(r);
    return r;
}

Limbs PowerOfTwo(int n) { return ShiftLeft(Limbs{1}, n); }

// Long division, one bit at a time in place: only the rare slow paths divide.
Limbs Divide(const Limbs& a, const Limbs& b, Limbs* remainder) {
    Limbs q(a.size(), 0);
    Limbs r(b.size() + 1, 0);
    auto rNotBelowB = [&] {
        if (r[b.size()] != 0) return true;
        for (size_t i = b.size(); i-- > 0;) {
            if (r[i] != b[i]) return r[i] > b[i];
        }
        return true;
    };
    for (int i = BitLength(a) - 1; i >= 0; --i) {
        uint32_t carry = (a[static_cast<size_t>(i) / 32] >> (i % 32)) & 1;
        for (uint32_t& limb : r) {
            uint32_t top = limb >> 31;
            limb = (limb << 1) | carry;
            carry = top;
        }
        if (rNotBelowB()) {
            uint64_t borrow = 0;
            for (size_t j = 0; j < r.size(); ++j) {
                uint64_t d = uint64_t{r[j]} - (j < b.size() ? b[j] : 0) - borrow;
                r[j] = static_cast<uint32_t>(d);
                borrow = (d >> 32) != 0 ? 1 : 0;
            }
            q[static_cast<size_t>(i) / 32] |= uint32_t{1} << (i % 32);
        }
    }
    Trim(q);
    Trim(r);
    if (remainder != nullptr) *remainder = r;
    return q;
}

// A signed fixed-point value: magnitude / 2^f, f being the precision of the computation.
struct Num {
    bool negative = false;
    Limbs mag;
};

Num Make(bool negative, Limbs mag) {
    Trim(mag);
    return Num{negative && !mag.empty(), std::move(mag)};
}

Num One(int f) { return Num{false, PowerOfTwo(f)}; }

Num Negated(Num a) { return Make(!a.negative, std::move(a.mag)); }

Num Plus(const Num& a, const Num& b) {
    if (a.negative == b.negative) return Make(a.negative, Add(a.mag, b.mag));
    if (Compare(a.mag, b.mag) >= 0) return Make(a.negative, Sub(a.mag, b.mag));
    return Make(b.negative, Sub(b.mag, a.mag));
}

Num Minus(const Num& a, const Num& b) { return Plus(a, Negated(b)); }

Num Times(const Num& a, const Num& b, int f) {
    return Make(a.negative != b.negative, ShiftRight(Mul(a.mag, b.mag), f));
}

Num DividedBy(Num a, uint32_t d) {
    DivSmall(a.mag, d);
    return Make(a.negative, std::move(a.mag));
}

// value = (negative ? -1 : 1) * mantissa * 2^exponent, mantissa an integer below 2^53.
struct Parts {
    bool negative;
    uint64_t mantissa;
    int exponent;
};

Parts Decompose(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    int biased = static_cast<int>((bits >> 52) & 0x7FF);
    uint64_t fraction = bits & ((uint64_t{1} << 52) - 1);
    Parts p{(bits >> 63) != 0, fraction, -1074};
    if (biased != 0) {
        p.mantissa = fraction | (uint64_t{1} << 52);
        p.exponent = biased - 1075;
    }
    return p;
}

int MantissaBits(uint64_t m) {
    int bits = 0;
    for (; m != 0; m >>= 1) ++bits;
    return bits;
}

// Exact as long as x has no bit below 2^-f.
Num FromDouble(double x, int f) {
    Parts p = Decompose(x);
    Limbs m = FromU64(p.mantissa);
    int shift = p.exponent + f;
    return Make(p.negative, shift >= 0 ? ShiftLeft(m, shift) : ShiftRight(m, -shift));
}

// A rough double for choosing a reduction multiple; its accuracy does not matter.
double Approximate(const Num& v, int f) {
    int drop = BitLength(v.mag) > 64 ? BitLength(v.mag) - 64 : 0;
    Limbs top = ShiftRight(v.mag, drop);
    uint64_t t = 0;
    for (size_t i = top.size(); i-- > 0;) t = (t << 32) | top[i];
    double a = std::ldexp(static_cast<double>(t), drop - f);
    return v.negative ? -a : a;
}

double Infinity(bool negative) {
    double inf = std::numeric_limits<double>::infinity();
    return negative ? -inf : inf;
}

double Zero(bool negative) { return negative ? -0.0 : 0.0; }

// The double nearest to v * 2^scale, subnormals and overflow included. A value within a
// hair (2^-200 relative) of a midpoint is taken as the midpoint itself and rounded to
// even: only an exact result can lie that close, since the errors here stay near 2^-240
// and a transcendental value is never nearer than about 2^-120.
double RoundToDouble(const Num& v, int f, int64_t scale) {
    if (v.mag.empty()) return 0.0;
    const int b = BitLength(v.mag);
    const int64_t lead = b - 1 + scale - f;
    if (lead > 1023) return Infinity(v.negative);
    const int64_t keep = lead >= -1022 ? 53 : lead + 1075;
    if (keep < 0) return Zero(v.negative);
    const int shift = b - static_cast<int>(keep);
    uint64_t q = 0;
    if (shift <= 0) {
        for (size_t i = v.mag.size(); i-- > 0;) q = (q << 32) | v.mag[i];
        q <<= -shift;
    } else {
        Limbs top = ShiftRight(v.mag, shift);
        for (size_t i = top.size(); i-- > 0;) q = (q << 32) | top[i];
        Limbs rest = Sub(v.mag, ShiftLeft(top, shift));
        Limbs half = PowerOfTwo(shift - 1);
        Limbs tolerance = b > 200 ? PowerOfTwo(b - 200) : Limbs{};
        bool up;
        if (Compare(rest, half) >= 0) {
            up = Compare(Sub(rest, half), tolerance) > 0 || (q & 1) != 0;
        } else {
            up = Compare(Sub(half, rest), tolerance) <= 0 && (q & 1) != 0;
        }
        if (up) ++q;
    }
    uint64_t bits;
    if (lead >= -1022) {
        int64_t exponent = lead;
        if (q == (uint64_t{1} << 53)) {
            q >>= 1;
            ++exponent;
        }
        if (exponent > 1023) return Infinity(v.negative);
        bits = (static_cast<uint64_t>(exponent + 1023) << 52) | (q & ((uint64_t{1} << 52) - 1));
    } else {
        bits = q;  // a carry out of the subnormal range lands exactly on the smallest normal
    }
    if (v.negative) bits |= uint64_t{1} << 63;
    double out;
    std::memcpy(&out, &bits, sizeof out);
    return out;
}

// atan(1/n) * 2^p, truncated: alternating series in 1/n^2.
Limbs AtanInverse(uint32_t n, int p) {
    Limbs power = PowerOfTwo(p);
    DivSmall(power, n);
    Limbs sum;
    bool subtract = false;
    for (uint32_t k = 1; !power.empty(); k += 2) {
        Limbs term = power;
        DivSmall(term, k);
        sum = subtract ? Sub(sum, term) : Add(sum, term);
        subtract = !subtract;
        DivSmall(power, n * n);
    }
    return sum;
}

// The most bits of pi and ln 2 that any call needs: a reduction of the largest double
// by pi/2 keeps kFraction + 64 bits below the point and 1077 above it.
constexpr int kConstantBits = kFraction + 64 + 1077 + 64;

// pi * 2^p by Machin's formula, worked out once.
Limbs PiScaled(int p) {
    static const Limbs pi = [] {
        Limbs a = AtanInverse(5, kConstantBits + kGuard);
        MulSmall(a, 16);
        Limbs b = AtanInverse(239, kConstantBits + kGuard);
        MulSmall(b, 4);
        return ShiftRight(Sub(a, b), kGuard);
    }();
    return ShiftRight(pi, kConstantBits - p);
}

// ln 2 * 2^p = 2 atanh(1/3) * 2^p, worked out once.
Limbs Ln2Scaled(int p) {
    static const Limbs ln2 = [] {
        Limbs power = PowerOfTwo(kConstantBits + kGuard + 1);
        DivSmall(power, 3);
        Limbs sum;
        for (uint32_t k = 1; !power.empty(); k += 2) {
            Limbs term = power;
            DivSmall(term, k);
            sum = Add(sum, term);
            DivSmall(power, 9);
        }
        return ShiftRight(sum, kGuard);
    }();
    return ShiftRight(ln2, kConstantBits - p);
}

Num SinSeries(const Num& r, int f) {
    Num r2 = Times(r, r, f);
    Num sum = r;
    Num term = r;
    for (uint32_t n = 1;; ++n) {
        term = Negated(DividedBy(Times(term, r2, f), (2 * n) * (2 * n + 1)));
        if (term.mag.empty()) return sum;
        sum = Plus(sum, term);
    }
}

Num CosSeries(const Num& r, int f) {
    Num r2 = Times(r, r, f);
    Num sum = One(f);
    Num term = One(f);
    for (uint32_t n = 1;; ++n) {
        term = Negated(DividedBy(Times(term, r2, f), (2 * n - 1) * (2 * n)));
        if (term.mag.empty()) return sum;
        sum = Plus(sum, term);
    }
}

double SinCos(double x, bool cosine) {
    if (std::isnan(x) || std::isinf(x)) return std::numeric_limits<double>::quiet_NaN();
    Parts p = Decompose(x);
    // Below 2^-27 the cubic term is under a quarter ulp.
    if (p.mantissa == 0 || p.exponent + MantissaBits(p.mantissa) - 1 < -27) return cosine ? 1.0 : x;

    // Reduce by pi/2 with enough bits of pi that every bit of the double counts.
    const int f = kFraction;
    const int fp = f + 64 + (p.exponent + 53 > 0 ? p.exponent + 53 : 0);
    Limbs halfPi = PiScaled(fp - 1);
    Limbs rest;
    Limbs q = Divide(ShiftLeft(FromU64(p.mantissa), p.exponent + fp), halfPi, &rest);
    bool restNegative = false;
    if (Compare(ShiftLeft(rest, 1), halfPi) > 0) {
        rest = Sub(halfPi, rest);
        restNegative = true;
        q = Add(q, Limbs{1});
    }
    unsigned quadrant = q.empty() ? 0 : q[0] & 3;
    Num r = Make(restNegative, ShiftRight(rest, fp - f));

    bool useCos = (quadrant & 1) != 0 ? !cosine : cosine;
    bool negate = cosine ? (quadrant == 1 || quadrant == 2) : quadrant >= 2;
    if (!cosine && p.negative) negate = !negate;
    Num v = useCos ? CosSeries(r, f) : SinSeries(r, f);
    if (negate) v = Negated(v);
    return RoundToDouble(v, f, 0);
}

// ln x * 2^f for finite x > 0: x = m * 2^e with m in [0.75, 1.5), then
// ln m = 2 atanh((m - 1) / (m + 1)).
Num LogScaled(double x, int f) {
    Parts p = Decompose(x);
    int bits = MantissaBits(p.mantissa);
    int e = p.exponent + bits - 1;
    int fractionShift = f - (bits - 1);
    // m >= 1.5 exactly when the mantissa's second bit is set.
    if (bits >= 2 && ((p.mantissa >> (bits - 2)) & 1) != 0) {
        ++e;
        --fractionShift;
    }
    Num m{false, ShiftLeft(FromU64(p.mantissa), fractionShift)};
    Num numerator = Minus(m, One(f));
    Num denominator = Plus(m, One(f));
    Num z = Make(numerator.negative, Divide(ShiftLeft(numerator.mag, f), denominator.mag, nullptr));
    Num w = Times(z, z, f);
    Num sum = z;
    Num power = z;
    for (uint32_t n = 1;; ++n) {
        power = Times(power, w, f);
        if (power.mag.empty()) break;
        sum = Plus(sum, DividedBy(power, 2 * n + 1));
    }
    Num result = Make(sum.negative, ShiftLeft(sum.mag, 1));
    Num ln2e = Make(e < 0, Ln2Scaled(f));
    MulSmall(ln2e.mag, static_cast<uint32_t>(e < 0 ? -e : e));
    return Plus(result, Make(ln2e.negative, ln2e.mag));
}

// exp(t) = mantissa * 2^k with the mantissa in about [0.7, 1.42]; |t| below 2^12.
Num ExpScaled(const Num& t, int f, int64_t* k) {
    *k = static_cast<int64_t>(std::floor(Approximate(t, f) * 1.4426950408889634 + 0.5));
    Num kLn2 = Make(*k < 0, Ln2Scaled(f));
    MulSmall(kLn2.mag, static_cast<uint32_t>(*k < 0 ? -*k : *k));
    Num r = Minus(t, kLn2);
    Num sum = One(f);
    Num term = One(f);
    for (uint32_t n = 1;; ++n) {
        term = DividedBy(Times(term, r, f), n);
        if (term.mag.empty()) return sum;
        sum = Plus(sum, term);
    }
}

void SplitTruncated(Num v, int f, const int* bits, int count, double* pieces) {
    for (int i = 0; i < count; ++i) {
        int length = BitLength(v.mag);
        int drop = length > bits[i] ? length - bits[i] : 0;
        Limbs top = ShiftRight(v.mag, drop);
        uint64_t t = 0;
        for (size_t j = top.size(); j-- > 0;) t = (t << 32) | top[j];
        double piece = std::ldexp(static_cast<double>(t), drop - f);
        pieces[i] = v.negative ? -piece : piece;
        v = Minus(v, FromDouble(pieces[i], f));
    }
}

}  // namespace

double Sin(double x) { return SinCos(x, false); }

double Cos(double x) { return SinCos(x, true); }

double Log(double x) {
    if (std::isnan(x)) return x;
    if (x < 0) return std::numeric_limits<double>::quiet_NaN();
    if (x == 0) return -std::numeric_limits<double>::infinity();
    if (std::isinf(x)) return x;
    return RoundToDouble(LogScaled(x, kFraction), kFraction, 0);
}

double Pow(double x, double y) {
    if (!(x > 0) || std::isinf(x) || std::isnan(y) || std::isinf(y)) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    // Extra bits, since y (up to 2^63 in a result that neither overflows nor underflows)
    // multiplies the error of ln x.
    const int f = kFraction + 64;
    Num t = Times(FromDouble(y, f), LogScaled(x, f), f);
    if (BitLength(t.mag) > f + 12) return t.negative ? 0.0 : Infinity(false);
    int64_t k;
    Num m = ExpScaled(t, f, &k);
    return RoundToDouble(m, f, k);
}

void SplitHalfPi(const int* bits, int count, double* pieces) {
    SplitTruncated(Num{false, PiScaled(kFraction - 1)}, kFraction, bits, count, pieces);
}

void SplitLn2(const int* bits, int count, double* pieces) {
    SplitTruncated(Num{false, Ln2Scaled(kFraction)}, kFraction, bits, count, pieces);
}

void SplitLog(double x, int count, double* pieces) {
    Num v = LogScaled(x, kFraction);
    for (int i = 0; i < count; ++i) {
        pieces[i] = RoundToDouble(v, kFraction, 0);
        v = Minus(v, FromDouble(pieces[i], kFraction));
    }
}

}  // namespace ExactMath
