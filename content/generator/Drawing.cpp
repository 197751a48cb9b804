#include "Drawing.h"

#include <cmath>

namespace Art {

Vec2 Axis::At(double u) const {
    const Vec2 along = tip - base;
    return base + along * u + Perp(along) * (bend * Sin(kPi * u));
}

Vec2 Axis::Side(double u) const {
    const Vec2 along = tip - base;
    const Vec2 tangent = along + Perp(along) * (bend * kPi * Cos(kPi * u));
    return Normalised(Perp(tangent));
}

Points AxialOutline(const Axis& axis, const std::function<double(double)>& left,
                    const std::function<double(double)>& right, int steps) {
    Points points;
    for (int i = 0; i <= steps; ++i) {
        const double u = static_cast<double>(i) / steps;
        points.push_back(axis.At(u) - axis.Side(u) * left(u));
    }
    for (int i = steps - 1; i > 0; --i) {
        const double u = static_cast<double>(i) / steps;
        points.push_back(axis.At(u) + axis.Side(u) * right(u));
    }
    return points;
}

Points AxisPath(const Axis& axis, double u0, double u1, int steps) {
    Points points;
    for (int i = 0; i <= steps; ++i) points.push_back(axis.At(Lerp(u0, u1, static_cast<double>(i) / steps)));
    return points;
}

Points Curve(Vec2 from, Vec2 control, Vec2 to, int steps) {
    return PathBuilder(from).QuadTo(control, to, steps).Get();
}

Points Blob(Vec2 centre, double rx, double ry, double wobble, uint32_t seed, double angle) {
    Random random(seed);
    double phase[3], amount[3];
    for (int i = 0; i < 3; ++i) {
        phase[i] = random.Uniform(0.0, 2.0 * kPi);
        amount[i] = wobble * random.Uniform(0.4, 1.0) / (i + 1);
    }
    return PolarOutline(
        centre,
        [=](double t) {
            double k = 1.0;
            for (int i = 0; i < 3; ++i) k += amount[i] * Sin((i + 2) * t + phase[i]);
            const double co = Cos(t - angle), si = Sin(t - angle);
            return k * rx * ry / std::sqrt(ry * ry * co * co + rx * rx * si * si);
        },
        240);
}

void EdgeTint(Canvas& canvas, const ShapeRef& shape, const Colour& tint, double width, double strength) {
    canvas.Fill(
        shape,
        [=](const Sample& s) { return WithAlpha(tint, strength * (1.0 - SmoothStep(0.0, width, -s.d))); },
        Blend::Atop);
}

void Glow(Canvas& canvas, Vec2 centre, double radius, const Colour& colour, double strength) {
    canvas.Fill(
        Circle(centre, radius),
        [=](const Sample& s) {
            const double t = Length(s.p - centre) / radius;
            return WithAlpha(colour, strength * Exp(-4.0 * t * t) * (1.0 - t));
        },
        Blend::Add);
}

void Speckle(Canvas& canvas, const ShapeRef& area, Random& random, int count, double r0, double r1,
             const Colour& colour, double alpha) {
    const Box b = area->Bounds();
    for (int i = 0, placed = 0; i < count * 20 && placed < count; ++i) {
        const Vec2 p{random.Uniform(b.x0, b.x1), random.Uniform(b.y0, b.y1)};
        const double r = random.Uniform(r0, r1);
        const double a = alpha * random.Uniform(0.5, 1.0);
        if (area->Distance(p) > -r) continue;
        ++placed;
        canvas.Fill(Circle(p, r), Solid(WithAlpha(colour, a)), Blend::Atop, std::max(1.0, r * 0.8));
    }
}

Paint Raised(const Canvas& canvas, const ShapeRef& shape, double depth, double blur, Paint base,
             Lighting lighting, const std::function<double(double)>& profile) {
    auto field = HeightField::FromShape(*shape, canvas.Width(), canvas.Height(), depth, profile);
    if (blur > 0.0) field->Blur(blur);
    return Lit(field, std::move(base), lighting);
}

}  // namespace Art

namespace Art {

Paint Supersampled(Paint paint, int n) {
    return [=](const Sample& s) {
        Colour sum{0.0, 0.0, 0.0, 0.0};
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                const Colour c = paint({s.p + Vec2{(i + 0.5) / n - 0.5, (j + 0.5) / n - 0.5}, s.d});
                sum = {sum.r + c.r, sum.g + c.g, sum.b + c.b, sum.a + c.a};
            }
        }
        const double k = 1.0 / (n * n);
        return Colour{sum.r * k, sum.g * k, sum.b * k, sum.a * k};
    };
}

Paint Facets(Vec2 centre, Points outline, double height, Colour light, Colour dark) {
    // Brightness of every facet from its normal, lit from the upper left.
    std::vector<double> angles, brightness;
    const size_t n = outline.size();
    for (size_t i = 0; i < n; ++i) {
        const Vec2 a = outline[i] - centre, b = outline[(i + 1) % n] - centre;
        // Normal of the triangle (centre raised by `height`, a, b on the ground).
        const double nx = a.y * -height - (-height) * b.y;
        const double ny = (-height) * b.x - a.x * -height;
        const double nz = Cross(a, b);
        const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
        const double lx = -0.5, ly = -0.7, lz = 0.5;
        const double ll = std::sqrt(lx * lx + ly * ly + lz * lz);
        const double sign = nz < 0.0 ? -1.0 : 1.0;
        brightness.push_back(Clamp01((nx * lx + ny * ly + nz * lz) * sign / (len * ll)));
        angles.push_back(Atan2(a.y, a.x));
    }
    return [=](const Sample& s) {
        const Vec2 v = s.p - centre;
        // The facet whose two rays enclose the point.
        for (size_t i = 0; i < n; ++i) {
            const Vec2 a = outline[i] - centre, b = outline[(i + 1) % n] - centre;
            const double ca = Cross(a, v), cb = Cross(v, b);
            if ((Cross(a, b) >= 0.0 && ca >= 0.0 && cb >= 0.0) ||
                (Cross(a, b) < 0.0 && ca <= 0.0 && cb <= 0.0))
                return Mix(dark, light, brightness[i]);
        }
        return Mix(dark, light, 0.5);
    };
}

}  // namespace Art
