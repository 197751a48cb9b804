// Correctly rounded elementary functions by multi-precision integer arithmetic: slow
// (tens of microseconds), but exact enough that the nearest double is never in doubt.
// The fast functions of PortableMath fall back to these in the rare cases where their own
// error bound cannot decide the rounding; tests use them as the high-precision reference.
// The values are carried in integers; floating point only picks reduction multiples, where
// any nearby choice gives the same result. So nothing depends on the compiler, the C
// library or the processor.
#pragma once

namespace ExactMath {

// Radian arguments, any finite value; NaN and infinities give NaN.
double Sin(double x);
double Cos(double x);

// Natural logarithm with the C library's special values (log(0) = -inf, negative -> NaN).
double Log(double x);

// x^y for finite x > 0 and finite y; anything else gives NaN (PortableMath::Pow deals
// with the special cases first). An exact result, including one that falls halfway
// between two doubles, is rounded like an IEEE operation (ties to even).
double Pow(double x, double y);

// Leading pieces of a constant, for the fast path's argument reductions: pieces[i] holds
// at most bits[i] significant bits and is the truncation of what the earlier pieces left.
void SplitHalfPi(const int* bits, int count, double* pieces);
void SplitLn2(const int* bits, int count, double* pieces);
// Pieces of ln x for finite x > 0, each the nearest double to what is left.
void SplitLog(double x, int count, double* pieces);

}  // namespace ExactMath
