// Points, boxes and affine maps in pixel space (y grows downwards).
#pragma once

#include "DetMath.h"

#include <algorithm>
#include <cmath>

namespace Art {

struct Vec2 {
    double x = 0.0, y = 0.0;
};

inline Vec2 operator+(Vec2 a, Vec2 b) { return {a.x + b.x, a.y + b.y}; }
inline Vec2 operator-(Vec2 a, Vec2 b) { return {a.x - b.x, a.y - b.y}; }
inline Vec2 operator*(Vec2 a, double s) { return {a.x * s, a.y * s}; }
inline Vec2 operator*(double s, Vec2 a) { return {a.x * s, a.y * s}; }
inline double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }
inline double Cross(Vec2 a, Vec2 b) { return a.x * b.y - a.y * b.x; }
inline double Length(Vec2 a) { return std::sqrt(Dot(a, a)); }
inline Vec2 Normalised(Vec2 a) {
    const double l = Length(a);
    return l > 0.0 ? a * (1.0 / l) : Vec2{0.0, 0.0};
}
inline Vec2 Perp(Vec2 a) { return {-a.y, a.x}; }
inline Vec2 Mix(Vec2 a, Vec2 b, double t) { return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t)}; }
// Unit vector at an angle in radians, 0 pointing right, pi/2 pointing down.
inline Vec2 Polar(double angle, double radius = 1.0) { return {Cos(angle) * radius, Sin(angle) * radius}; }
inline Vec2 Rotated(Vec2 a, double angle) {
    const double c = Cos(angle), s = Sin(angle);
    return {a.x * c - a.y * s, a.x * s + a.y * c};
}

struct Box {
    double x0 = 0.0, y0 = 0.0, x1 = 0.0, y1 = 0.0;

    static Box Empty() { return {1e30, 1e30, -1e30, -1e30}; }
    bool IsEmpty() const { return x1 < x0 || y1 < y0; }
    void Add(Vec2 p) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    Box Grown(double r) const { return {x0 - r, y0 - r, x1 + r, y1 + r}; }
};

inline Box Union(const Box& a, const Box& b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}
inline Box Intersection(const Box& a, const Box& b) {
    return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1)};
}

// x' = a x + c y + e, y' = b x + d y + f.
struct Affine {
    double a = 1.0, b = 0.0, c = 0.0, d = 1.0, e = 0.0, f = 0.0;

    Vec2 Apply(Vec2 p) const { return {a * p.x + c * p.y + e, b * p.x + d * p.y + f}; }
    Vec2 ApplyVector(Vec2 v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }
    double Determinant() const { return a * d - b * c; }
    Affine Inverse() const {
        const double det = Determinant();
        Affine r;
        r.a = d / det;
        r.b = -b / det;
        r.c = -c / det;
        r.d = a / det;
        r.e = -(r.a * e + r.c * f);
        r.f = -(r.b * e + r.d * f);
        return r;
    }
    // This map applied after `first`.
    Affine After(const Affine& first) const {
        Affine r;
        r.a = a * first.a + c * first.b;
        r.b = b * first.a + d * first.b;
        r.c = a * first.c + c * first.d;
        r.d = b * first.c + d * first.d;
        r.e = a * first.e + c * first.f + e;
        r.f = b * first.e + d * first.f + f;
        return r;
    }

    static Affine Translate(Vec2 t) { return {1.0, 0.0, 0.0, 1.0, t.x, t.y}; }
    static Affine Scale(double sx, double sy) { return {sx, 0.0, 0.0, sy, 0.0, 0.0}; }
    static Affine Rotate(double angle) {
        const double co = Cos(angle), si = Sin(angle);
        return {co, si, -si, co, 0.0, 0.0};
    }
    // Scale and rotate about the origin, then move the origin to `centre`.
    static Affine Place(Vec2 centre, double scale, double angle) {
        return Translate(centre).After(Rotate(angle)).After(Scale(scale, scale));
    }
};

}  // namespace Art
