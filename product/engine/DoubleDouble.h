// Unevaluated sums of two doubles (hi + lo, |lo| <= half an ulp of hi) and the error-free
// transformations they rest on. Only IEEE additions, multiplications and divisions are
// used, in a fixed order and without fused multiply-add, so every build gets the same bits.
// The products are exact only away from overflow and underflow (|a|, |b| well inside
// 2^-900 .. 2^900); callers keep their operands there.
#pragma once

namespace DoubleDouble {

struct DD {
    double hi;
    double lo;
};

// s + e == a + b exactly.
inline DD TwoSum(double a, double b) {
    double s = a + b;
    double bb = s - a;
    double e = (a - (s - bb)) + (b - bb);
    return {s, e};
}

// As TwoSum, for |a| >= |b| (or a == 0).
inline DD FastTwoSum(double a, double b) {
    double s = a + b;
    double e = b - (s - a);
    return {s, e};
}

// p + e == a * b exactly: Dekker's product with Veltkamp's 27-bit split.
inline DD TwoProd(double a, double b) {
    const double splitter = 134217729.0;  // 2^27 + 1
    double p = a * b;
    double ta = splitter * a;
    double ah = ta - (ta - a);
    double al = a - ah;
    double tb = splitter * b;
    double bh = tb - (tb - b);
    double bl = b - bh;
    double e = (((ah * bh - p) + ah * bl) + al * bh) + al * bl;
    return {p, e};
}

inline DD Neg(DD a) { return {-a.hi, -a.lo}; }

inline DD Add(DD a, DD b) {
    DD s = TwoSum(a.hi, b.hi);
    DD t = TwoSum(a.lo, b.lo);
    s = FastTwoSum(s.hi, s.lo + t.hi);
    return FastTwoSum(s.hi, s.lo + t.lo);
}

inline DD AddD(DD a, double b) {
    DD s = TwoSum(a.hi, b);
    return FastTwoSum(s.hi, s.lo + a.lo);
}

inline DD Mul(DD a, DD b) {
    DD p = TwoProd(a.hi, b.hi);
    return FastTwoSum(p.hi, p.lo + (a.hi * b.lo + a.lo * b.hi));
}

inline DD MulD(DD a, double b) {
    DD p = TwoProd(a.hi, b);
    return FastTwoSum(p.hi, p.lo + a.lo * b);
}

inline DD DivD(DD a, double b) {
    double q1 = a.hi / b;
    DD p = TwoProd(q1, b);
    double r = ((a.hi - p.hi) - p.lo) + a.lo;
    return FastTwoSum(q1, r / b);
}

inline DD Div(DD a, DD b) {
    double q1 = a.hi / b.hi;
    DD r = Add(a, Neg(MulD(b, q1)));
    double q2 = r.hi / b.hi;
    r = Add(r, Neg(MulD(b, q2)));
    double q3 = r.hi / b.hi;
    DD q = FastTwoSum(q1, q2);
    return AddD(q, q3);
}

}  // namespace DoubleDouble
