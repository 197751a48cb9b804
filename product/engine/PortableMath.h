// The elementary functions of the effect's geometry, correctly rounded (round to nearest,
// ties to even), so that a seed places its copies to the same bit on every build. The C
// libraries of the targets differ in the last bit for some arguments, and one bit can
// move a rounding decision in placement.
//
// Each function evaluates in double-double arithmetic with a proven error bound and keeps
// the result when the bound shows that no other double can be the nearest; otherwise (in
// fewer than one call in 10^9, and for sin and cos of 2^20 radians and more, or results
// below 2^-1022) it asks ExactMath. Special values follow the C library.
#pragma once

#include <cmath>

namespace PortableMath {

// Radian arguments.
double Sin(double x);
double Cos(double x);

double Log(double x);

// With the C library's special cases: Pow(x, 0) = 1 and Pow(1, y) = 1 even for NaN,
// negative x only with integer y, zeros and infinities as the C standard lists them.
double Pow(double x, double y);

// IEEE 754 makes the square root correctly rounded on every target already.
inline double Sqrt(double x) { return std::sqrt(x); }

}  // namespace PortableMath
