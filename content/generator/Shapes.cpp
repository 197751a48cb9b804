#include "Shapes.h"

#include <cmath>
#include <limits>
#include <utility>

namespace Art {
namespace {

constexpr double kFar = 1e30;

class CircleShape final : public Shape {
public:
    CircleShape(Vec2 c, double r) : centre(c), radius(r) {}
    double Distance(Vec2 p) const override { return Length(p - centre) - radius; }
    Box Bounds() const override {
        return {centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius};
    }

private:
    Vec2 centre;
    double radius;
};

class PolygonShape final : public Shape {
public:
    explicit PolygonShape(std::vector<Points> contours) {
        box = Box::Empty();
        for (const Points& contour : contours) {
            const size_t n = contour.size();
            for (size_t i = 0; i < n; ++i) {
                const Vec2 a = contour[(i + n - 1) % n], b = contour[i];
                const Vec2 e = b - a;
                const double len2 = Dot(e, e);
                edges.push_back({a, e, len2 > 0.0 ? 1.0 / len2 : 0.0});
                box.Add(b);
            }
        }
    }

    double Distance(Vec2 p) const override {
        double best = kFar;
        bool inside = false;
        for (const Edge& edge : edges) {
            const Vec2 w = p - edge.a;
            const double t = Clamp01(Dot(w, edge.e) * edge.invLen2);
            const Vec2 q = w - edge.e * t;
            best = std::min(best, Dot(q, q));
            const Vec2 b = edge.a + edge.e;
            if ((edge.a.y > p.y) != (b.y > p.y)) {
                const double x = edge.a.x + (p.y - edge.a.y) * edge.e.x / edge.e.y;
                if (p.x < x) inside = !inside;
            }
        }
        const double d = std::sqrt(best);
        return inside ? -d : d;
    }

    Box Bounds() const override { return box; }

private:
    struct Edge {
        Vec2 a, e;
        double invLen2;
    };
    std::vector<Edge> edges;
    Box box;
};

class StrokeShape final : public Shape {
public:
    StrokeShape(Points initialPath, double w0, double w1) : path(std::move(initialPath)) {
        box = Box::Empty();
        double total = 0.0;
        lengths.push_back(0.0);
        for (size_t i = 1; i < path.size(); ++i) {
            total += Length(path[i] - path[i - 1]);
            lengths.push_back(total);
        }
        for (size_t i = 0; i < path.size(); ++i) {
            const double t = total > 0.0 ? lengths[i] / total : 0.0;
            widths.push_back(Lerp(w0, w1, t) * 0.5);
            box.Add(path[i]);
        }
        box = box.Grown(std::max(w0, w1) * 0.5);
    }

    double Distance(Vec2 p) const override {
        double best = kFar;
        if (path.size() == 1) return Length(p - path[0]) - widths[0];
        for (size_t i = 1; i < path.size(); ++i) {
            const Vec2 a = path[i - 1], e = path[i] - a;
            const double len2 = Dot(e, e);
            const double t = len2 > 0.0 ? Clamp01(Dot(p - a, e) / len2) : 0.0;
            const double d = Length(p - (a + e * t)) - Lerp(widths[i - 1], widths[i], t);
            best = std::min(best, d);
        }
        return best;
    }

    Box Bounds() const override { return box; }

private:
    Points path;
    std::vector<double> lengths, widths;
    Box box;
};

class RoundedRectShape final : public Shape {
public:
    RoundedRectShape(Vec2 c, Vec2 initialHalf, double r, double initialAngle)
        : centre(c), half(initialHalf), radius(r), angle(initialAngle) {}
    double Distance(Vec2 p) const override {
        const Vec2 q0 = Rotated(p - centre, -angle);
        const Vec2 q{std::fabs(q0.x) - half.x + radius, std::fabs(q0.y) - half.y + radius};
        const Vec2 outside{std::max(q.x, 0.0), std::max(q.y, 0.0)};
        return Length(outside) + std::min(std::max(q.x, q.y), 0.0) - radius;
    }
    Box Bounds() const override {
        const double r = Length(half);
        return {centre.x - r, centre.y - r, centre.x + r, centre.y + r};
    }

private:
    Vec2 centre, half;
    double radius, angle;
};

enum class Combine { Union, Intersect, Subtract };

class CombinedShape final : public Shape {
public:
    CombinedShape(ShapeRef a, ShapeRef b, Combine initialOp)
        : first(std::move(a)), second(std::move(b)), op(initialOp) {}
    double Distance(Vec2 p) const override {
        const double da = first->Distance(p), db = second->Distance(p);
        switch (op) {
            case Combine::Union:
                return std::min(da, db);
            case Combine::Intersect:
                return std::max(da, db);
            default:
                return std::max(da, -db);
        }
    }
    Box Bounds() const override {
        switch (op) {
            case Combine::Union:
                return Art::Union(first->Bounds(), second->Bounds());
            case Combine::Intersect:
                return Intersection(first->Bounds(), second->Bounds());
            default:
                return first->Bounds();
        }
    }

private:
    ShapeRef first, second;
    Combine op;
};

class UnionAllShape final : public Shape {
public:
    explicit UnionAllShape(std::vector<ShapeRef> initialShapes) : shapes(std::move(initialShapes)) {
        box = Box::Empty();
        for (const ShapeRef& s : shapes) {
            box = Art::Union(box, s->Bounds());
            boxes.push_back(s->Bounds());
        }
    }
    double Distance(Vec2 p) const override {
        double best = kFar;
        for (size_t i = 0; i < shapes.size(); ++i) {
            // A part whose box is farther than the best so far cannot be nearer.
            const Box& b = boxes[i];
            const double dx = std::max({b.x0 - p.x, 0.0, p.x - b.x1});
            const double dy = std::max({b.y0 - p.y, 0.0, p.y - b.y1});
            if (dx * dx + dy * dy > best * best && best > 0.0) continue;
            best = std::min(best, shapes[i]->Distance(p));
        }
        return best;
    }
    Box Bounds() const override { return box; }

private:
    std::vector<ShapeRef> shapes;
    std::vector<Box> boxes;
    Box box;
};

class OffsetShape final : public Shape {
public:
    OffsetShape(ShapeRef s, double initialAmount, bool initialBand)
        : shape(std::move(s)), amount(initialAmount), band(initialBand) {}
    double Distance(Vec2 p) const override {
        const double d = shape->Distance(p);
        return band ? std::fabs(d) - amount : d - amount;
    }
    Box Bounds() const override { return shape->Bounds().Grown(std::max(amount, 0.0)); }

private:
    ShapeRef shape;
    double amount;
    bool band;
};

class TransformedShape final : public Shape {
public:
    TransformedShape(ShapeRef s, const Affine& map)
        : shape(std::move(s)), inverse(map.Inverse()), scale(std::sqrt(std::fabs(map.Determinant()))) {
        const Box b = shape->Bounds();
        box = Box::Empty();
        for (Vec2 corner : {Vec2{b.x0, b.y0}, Vec2{b.x1, b.y0}, Vec2{b.x0, b.y1}, Vec2{b.x1, b.y1}})
            box.Add(map.Apply(corner));
    }
    double Distance(Vec2 p) const override { return shape->Distance(inverse.Apply(p)) * scale; }
    Box Bounds() const override { return box; }

private:
    ShapeRef shape;
    Affine inverse;
    double scale;
    Box box;
};

}  // namespace

ShapeRef Circle(Vec2 centre, double radius) { return std::make_shared<CircleShape>(centre, radius); }

ShapeRef Ellipse(Vec2 centre, double rx, double ry, double angle) {
    Points points;
    const int steps = 128;
    for (int i = 0; i < steps; ++i) {
        const double t = 2.0 * kPi * i / steps;
        points.push_back(centre + Rotated({rx * Cos(t), ry * Sin(t)}, angle));
    }
    return Polygon(std::move(points));
}

ShapeRef Polygon(Points outline) {
    return std::make_shared<PolygonShape>(std::vector<Points>{std::move(outline)});
}

ShapeRef Polygons(std::vector<Points> contours) {
    return std::make_shared<PolygonShape>(std::move(contours));
}

ShapeRef Stroke(Points path, double width0, double width1) {
    return std::make_shared<StrokeShape>(std::move(path), width0, width1);
}

ShapeRef RoundedRect(Vec2 centre, Vec2 halfSize, double radius, double angle) {
    return std::make_shared<RoundedRectShape>(centre, halfSize, radius, angle);
}

ShapeRef Union(ShapeRef a, ShapeRef b) {
    return std::make_shared<CombinedShape>(std::move(a), std::move(b), Combine::Union);
}

ShapeRef UnionAll(std::vector<ShapeRef> shapes) { return std::make_shared<UnionAllShape>(std::move(shapes)); }

ShapeRef Intersect(ShapeRef a, ShapeRef b) {
    return std::make_shared<CombinedShape>(std::move(a), std::move(b), Combine::Intersect);
}

ShapeRef Subtract(ShapeRef a, ShapeRef b) {
    return std::make_shared<CombinedShape>(std::move(a), std::move(b), Combine::Subtract);
}

ShapeRef Offset(ShapeRef shape, double amount) {
    return std::make_shared<OffsetShape>(std::move(shape), amount, false);
}

ShapeRef Outline(ShapeRef shape, double halfWidth) {
    return std::make_shared<OffsetShape>(std::move(shape), halfWidth, true);
}

ShapeRef Transformed(ShapeRef shape, const Affine& map) {
    return std::make_shared<TransformedShape>(std::move(shape), map);
}

PathBuilder& PathBuilder::LineTo(Vec2 p) {
    points.push_back(p);
    return *this;
}

PathBuilder& PathBuilder::QuadTo(Vec2 control, Vec2 end, int pieces) {
    const Vec2 start = points.back();
    for (int i = 1; i <= pieces; ++i) {
        const double t = static_cast<double>(i) / pieces, u = 1.0 - t;
        points.push_back(start * (u * u) + control * (2.0 * u * t) + end * (t * t));
    }
    return *this;
}

PathBuilder& PathBuilder::CubicTo(Vec2 c1, Vec2 c2, Vec2 end, int pieces) {
    const Vec2 start = points.back();
    for (int i = 1; i <= pieces; ++i) {
        const double t = static_cast<double>(i) / pieces, u = 1.0 - t;
        points.push_back(start * (u * u * u) + c1 * (3.0 * u * u * t) + c2 * (3.0 * u * t * t) +
                         end * (t * t * t));
    }
    return *this;
}

Points RegularPolygon(Vec2 centre, int sides, double radius, double angle) {
    Points points;
    for (int i = 0; i < sides; ++i) points.push_back(centre + Polar(angle + 2.0 * kPi * i / sides, radius));
    return points;
}

Points StarPoints(Vec2 centre, int tips, double outer, double inner, double angle) {
    Points points;
    for (int i = 0; i < tips * 2; ++i)
        points.push_back(centre + Polar(angle + kPi * i / tips, i % 2 == 0 ? outer : inner));
    return points;
}

Points PolarOutline(Vec2 centre, const std::function<double(double)>& radius, int steps) {
    Points points;
    for (int i = 0; i < steps; ++i) {
        const double t = 2.0 * kPi * i / steps;
        points.push_back(centre + Polar(t, radius(t)));
    }
    return points;
}

Points MapPoints(const Points& points, const Affine& map) {
    Points out;
    out.reserve(points.size());
    for (Vec2 p : points) out.push_back(map.Apply(p));
    return out;
}

Points MirroredHalf(const Points& half, double axis) {
    Points out = half;
    for (size_t i = half.size(); i-- > 0;) out.push_back({2.0 * axis - half[i].x, half[i].y});
    return out;
}

Box BoundsOf(const Points& points) {
    Box b = Box::Empty();
    for (Vec2 p : points) b.Add(p);
    return b;
}

}  // namespace Art
