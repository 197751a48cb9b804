// Shapes as signed distance functions in pixel units (negative inside), so that the
// canvas can work out anti-aliased coverage and soft edges from one number per pixel.
#pragma once

#include "Geometry.h"

#include <functional>
#include <memory>
#include <vector>

namespace Art {

class Shape {
public:
    virtual ~Shape() = default;
    virtual double Distance(Vec2 p) const = 0;
    // Every point with a distance below zero lies inside.
    virtual Box Bounds() const = 0;
};

using ShapeRef = std::shared_ptr<const Shape>;
using Points = std::vector<Vec2>;

ShapeRef Circle(Vec2 centre, double radius);
ShapeRef Ellipse(Vec2 centre, double rx, double ry, double angle = 0.0);
// Closed outline; several contours combine even-odd, so inner ones cut holes.
ShapeRef Polygon(Points outline);
ShapeRef Polygons(std::vector<Points> contours);
// Open path with round ends, its width going linearly from `width0` to `width1`.
ShapeRef Stroke(Points path, double width0, double width1);
inline ShapeRef Stroke(Points path, double width) { return Stroke(std::move(path), width, width); }
ShapeRef RoundedRect(Vec2 centre, Vec2 halfSize, double radius, double angle = 0.0);

ShapeRef Union(ShapeRef a, ShapeRef b);
ShapeRef UnionAll(std::vector<ShapeRef> shapes);
ShapeRef Intersect(ShapeRef a, ShapeRef b);
ShapeRef Subtract(ShapeRef a, ShapeRef b);
// Grown by `amount` pixels (shrunk when negative); corners become round.
ShapeRef Offset(ShapeRef shape, double amount);
// A band of the given half width centred on the shape's edge.
ShapeRef Outline(ShapeRef shape, double halfWidth);
// Moved, turned and uniformly scaled by a similarity map.
ShapeRef Transformed(ShapeRef shape, const Affine& map);

// Outline builders; curves are cut into a fixed number of pieces.
class PathBuilder {
public:
    explicit PathBuilder(Vec2 start) { points.push_back(start); }
    PathBuilder& LineTo(Vec2 p);
    PathBuilder& QuadTo(Vec2 control, Vec2 end, int pieces = 16);
    PathBuilder& CubicTo(Vec2 c1, Vec2 c2, Vec2 end, int pieces = 20);
    const Points& Get() const { return points; }
    Vec2 Last() const { return points.back(); }

private:
    Points points;
};

Points RegularPolygon(Vec2 centre, int sides, double radius, double angle);
Points StarPoints(Vec2 centre, int tips, double outer, double inner, double angle);
// Outline r(theta) around a centre, theta from 0 to 2 pi in `steps` pieces.
Points PolarOutline(Vec2 centre, const std::function<double(double)>& radius, int steps);
Points MapPoints(const Points& points, const Affine& map);
// The same outline mirrored about the vertical line x = axis, in reverse order, so that
// a left half plus its mirror make one closed outline.
Points MirroredHalf(const Points& half, double axis);
Box BoundsOf(const Points& points);

}  // namespace Art
