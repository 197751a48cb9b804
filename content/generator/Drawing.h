// Helpers shared by the artwork of several categories.
#pragma once

#include "Canvas.h"
#include "Noise.h"
#include "Relief.h"

#include <functional>

namespace Art {

// A gently bent line from `base` to `tip`, the spine of leaves, petals and feathers.
struct Axis {
    Vec2 base, tip;
    double bend = 0.0;  // sideways bulge at the middle, as a fraction of the length

    Vec2 At(double u) const;
    // Unit vector to the right of the direction of travel (base to tip).
    Vec2 Side(double u) const;
    double Length() const { return Art::Length(tip - base); }
};

// Closed outline around an axis; the half widths are given along u = 0 .. 1.
Points AxialOutline(const Axis& axis, const std::function<double(double)>& left,
                    const std::function<double(double)>& right, int steps = 160);
// The axis itself from u0 to u1, as a path for strokes.
Points AxisPath(const Axis& axis, double u0, double u1, int steps = 24);
// A quadratic curve as a path.
Points Curve(Vec2 from, Vec2 control, Vec2 to, int steps = 16);

// An ellipse with a seeded wobble of its radius, for liquids and stones.
Points Blob(Vec2 centre, double rx, double ry, double wobble, uint32_t seed, double angle = 0.0);

// Darkens (or lightens) the inside of a shape near its edge.
void EdgeTint(Canvas& canvas, const ShapeRef& shape, const Colour& tint, double width, double strength);
// A round soft spot of light added to the canvas.
void Glow(Canvas& canvas, Vec2 centre, double radius, const Colour& colour, double strength);
// Soft small spots inside what is already drawn.
void Speckle(Canvas& canvas, const ShapeRef& area, Random& random, int count, double r0, double r1,
             const Colour& colour, double alpha);
// Raised look for a shape: a lit paint with a dome or pillow height map.
Paint Raised(const Canvas& canvas, const ShapeRef& shape, double depth, double blur, Paint base,
             Lighting lighting, const std::function<double(double)>& profile = DomeProfile);

}  // namespace Art

namespace Art {

// The paint averaged over n x n points in the pixel, for paints with hard edges
// inside a shape (facets, stripes).
Paint Supersampled(Paint paint, int n);

// Shading of a pyramid whose ridges run from a raised centre to every outline point:
// each facet gets the brightness of its own slope.
Paint Facets(Vec2 centre, Points outline, double height, Colour light, Colour dark);

}  // namespace Art
