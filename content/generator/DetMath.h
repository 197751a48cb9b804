// Elementary functions computed with plain IEEE arithmetic only, so that the artwork
// comes out bit for bit the same whatever maths library the machine has.
#pragma once

namespace Art {

constexpr double kPi = 3.14159265358979323846;

double Sin(double x);
double Cos(double x);
double Exp(double x);
double Log(double x);            // x > 0
double Pow(double x, double y);  // x > 0; Pow(0, y > 0) is 0
double Atan2(double y, double x);

inline double Clamp(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline double Clamp01(double v) { return Clamp(v, 0.0, 1.0); }
inline double Lerp(double a, double b, double t) { return a + (b - a) * t; }
inline double SmoothStep(double e0, double e1, double x) {
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0 - 2.0 * t);
}
inline double Radians(double degrees) { return degrees * (kPi / 180.0); }

}  // namespace Art
