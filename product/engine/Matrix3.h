// The 3 x 3 double matrix of all the effect's geometry: row-major, acting on column
// vectors (x, y, 1). Every operation fixes its order of operations, since one rounding
// more or less can move a copy by a pixel and the same seed must give the same picture
// on every build.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"

struct Point2 {
    double x;
    double y;
};

// floor(v + 0.5) as a pixel coordinate, saturated to the 32-bit range (NaN gives 0).
int32_t RoundToPixel(double v);

struct Matrix3 {
    double m[3][3];

    static Matrix3 Identity();
    static Matrix3 Translation(double tx, double ty);
    static Matrix3 Scaling(double sx, double sy);
    // Turns by `degrees` clockwise on screen for y pointing down: m01 = sin, m10 = -sin.
    static Matrix3 Rotation(double degrees);

    // This becomes x * this: the current transform is followed by x.
    void Append(const Matrix3& x);
    // This becomes this * x: x is applied first.
    void Prepend(const Matrix3& x);
    void AppendTranslation(double tx, double ty) { Append(Translation(tx, ty)); }
    void AppendScaling(double sx, double sy) { Append(Scaling(sx, sy)); }
    void AppendRotation(double degrees) { Append(Rotation(degrees)); }
    void PrependTranslation(double tx, double ty) { Prepend(Translation(tx, ty)); }
    void PrependScaling(double sx, double sy) { Prepend(Scaling(sx, sy)); }

    // Gauss-Jordan elimination of [M | I]. False, leaving the matrix as it was, when a
    // column has no usable pivot (singular) or the result is not finite.
    bool Invert();

    // x' = ((m00 x + m01 y) + m02) / w, likewise y', w = (m20 x + m21 y) + m22.
    Point2 MapPoint(double x, double y) const;

    // The corners (left, top), (right, top), (right, bottom), (left, bottom), mapped and
    // rounded to pixels, and the smallest box holding all four.
    OrvRect MapBox(const OrvRect& box) const;

    // The point p with M p = (x, y, 1), by its own elimination of [M | (x, y, 1)] rather
    // than through the inverse. False when singular or not finite.
    bool SolvePoint(double x, double y, Point2* p) const;

    // As MapBox, through the inverse of M: the hull of the corners as SolvePoint finds them.
    bool SolveBox(const OrvRect& box, OrvRect* out) const;
};

// a * b, each element summed left to right: (a_i0 b_0j + a_i1 b_1j) + a_i2 b_2j.
Matrix3 Multiply(const Matrix3& a, const Matrix3& b);
