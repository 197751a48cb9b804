// Snow: six-armed flakes of several kinds, and soft flakes seen out of focus.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Snow";

struct FlakeKind {
    int sideBranches;     // pairs of branches on every arm
    double branchLength;  // of the innermost branch, as a share of the arm
    double width;         // of the arm, as a share of the flake
    bool plateEnds;       // arms and branches end in small hexagons
    bool subBranches;     // long branches carry branches of their own
    double core;          // radius of the hexagon at the centre, as a share
};

// One arm pointing right from the origin, to be turned six times.
void ArmStrokes(const FlakeKind& kind, double reach, double jitter, Random& random,
                std::vector<ShapeRef>& parts) {
    const double w = reach * kind.width;
    parts.push_back(Stroke({{0.0, 0.0}, {reach, 0.0}}, w, w * 0.45));
    if (kind.plateEnds) parts.push_back(Polygon(RegularPolygon({reach * 0.97, 0.0}, 6, w * 1.6, 0.0)));
    for (int i = 0; i < kind.sideBranches; ++i) {
        const double t = 0.3 + 0.55 * i / std::max(1, kind.sideBranches - 1);
        const double length =
            reach * kind.branchLength * (1.0 - t) / 0.7 * (1.0 + jitter * random.Uniform(-1.0, 1.0));
        for (double side : {-1.0, 1.0}) {
            const Vec2 start{reach * t, 0.0};
            const Vec2 end = start + Polar(side * kPi / 3.0, length);
            parts.push_back(Stroke({start, end}, w * 0.7, w * 0.3));
            if (kind.plateEnds) parts.push_back(Polygon(RegularPolygon(end, 6, w * 0.9, 0.0)));
            if (kind.subBranches && length > reach * 0.18) {
                const Vec2 mid = Mix(start, end, 0.5);
                parts.push_back(Stroke({mid, mid + Polar(0.0, length * 0.35)}, w * 0.45, w * 0.2));
            }
        }
    }
}

Canvas Snowflake(int size, const FlakeKind& kind, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double reach = size * 0.44;
    Random random(seed);
    std::vector<ShapeRef> arm;
    ArmStrokes(kind, reach, 0.08, random, arm);
    const ShapeRef oneArm = UnionAll(arm);
    std::vector<ShapeRef> parts;
    const double turn = random.Uniform(0.0, kPi / 3.0);
    for (int k = 0; k < 6; ++k)
        parts.push_back(Transformed(oneArm, Affine::Place(c, 1.0, turn + k * kPi / 3.0)));
    if (kind.core > 0.0) parts.push_back(Polygon(RegularPolygon(c, 6, size * kind.core, turn)));
    const ShapeRef flake = UnionAll(parts);

    // A cold halo behind the crystal.
    canvas.Fill(Offset(flake, 0.8), Solid(Hex(0x5E8CD0, 0.5)), Blend::Over, 2.5);
    Lighting light;
    light.strength = size * 0.5;
    light.ambient = 0.75;
    light.diffuse = 0.3;
    light.specular = 0.35;
    const Paint body = Radial(c, reach, {{0.0, Hex(0xFFFFFF)}, {0.6, Hex(0xEAF4FF)}, {1.0, Hex(0xC4E0FF)}});
    canvas.Fill(flake, Raised(canvas, flake, size * 0.02, 0.0, body, light, PillowProfile));
    EdgeTint(canvas, flake, Hex(0x8AB0E0), 1.0, 0.5);
    if (kind.core > 0.0) {
        const ShapeRef ring =
            Outline(Polygon(RegularPolygon(c, 6, size * kind.core * 0.6, turn)), size * 0.006);
        canvas.Fill(ring, Solid(Hex(0x8AB4E8, 0.7)), Blend::Atop);
    }
    return canvas;
}

// A plate crystal: a six-pointed star cut in facets.
Canvas Crystal(int size, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    Random random(seed);
    const double turn = random.Uniform(0.0, 0.5);
    const Points outline = StarPoints(c, 6, size * 0.48, size * 0.24, turn);
    const ShapeRef star = Polygon(outline);
    canvas.Fill(Offset(star, size * 0.02), Solid(Hex(0xA8D0FF, 0.45)), Blend::Over, size * 0.08);
    canvas.Fill(star, Supersampled(Facets(c, outline, size * 0.12, Hex(0xFFFFFF), Hex(0x9CC8F4)), 3));
    const ShapeRef inner = Outline(Polygon(RegularPolygon(c, 6, size * 0.16, turn + kPi / 6.0)), size * 0.01);
    canvas.Fill(inner, Solid(Hex(0xFFFFFF, 0.85)), Blend::Atop);
    EdgeTint(canvas, star, Hex(0x6A9AD8), size * 0.02, 0.6);
    return canvas;
}

// A flake far out of focus: a soft round blot.
Canvas SoftFlake(int size, double radiusShare, double softness) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double r = size * radiusShare;
    canvas.Fill(Circle(c, r), [=](const Sample& s) {
        const double q = Length(s.p - c) / r;
        return WithAlpha(Mix(Hex(0xFFFFFF), Hex(0xD8E8FF), q), 1.0 - SmoothStep(1.0 - softness, 1.0, q));
    });
    return canvas;
}

const FlakeKind kDendrite{3, 0.42, 0.085, false, true, 0.1};
const FlakeKind kFern{6, 0.3, 0.07, false, false, 0.06};
const FlakeKind kPlates{2, 0.5, 0.09, true, false, 0.12};
const FlakeKind kSimple{1, 0.45, 0.12, false, false, 0.1};

}  // namespace

void AddSnow(Library& library) {
    library.AddSingle(kCategory, "Snowflake", Snowflake(96, kDendrite, 101));
    library.AddSingle(kCategory, "Fern Flake", Snowflake(80, kFern, 102));
    library.AddSingle(kCategory, "Frost", Snowflake(72, kPlates, 103));
    library.AddSingle(kCategory, "Crystal", Crystal(64, 104));
    library.AddSingle(kCategory, "Snowball", SoftFlake(40, 0.46, 0.55));

    library.AddFolder(kCategory, "Blizzard",
                      {{"flake_2", Snowflake(56, kDendrite, 111)},
                       {"fern_2", Snowflake(48, kFern, 112)},
                       {"crystal_1", Crystal(40, 113)},
                       {"simple_3", Snowflake(32, kSimple, 114)},
                       {"soft_6", SoftFlake(28, 0.44, 0.6)},
                       {"tiny_8", SoftFlake(24, 0.25, 0.7)}});
    library.AddFolder(kCategory, "Soft Snow",
                      {{"large_1", SoftFlake(48, 0.47, 0.7)},
                       {"medium_3", SoftFlake(32, 0.45, 0.6)},
                       {"small_6", SoftFlake(24, 0.35, 0.6)}});
}

}  // namespace Art
