// Stars and sparkles: faceted and puffy stars, glints, twinkles and a shooting star.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Stars and Sparkles";

struct Metal {
    Colour light, dark, rim;
};

const Metal kGold{Hex(0xFFF2A0), Hex(0xB8740E), Hex(0x8A5208)};
const Metal kSilver{Hex(0xFFFFFF), Hex(0x8A96A8), Hex(0x5A6474)};
const Metal kRoseGold{Hex(0xFFE0D8), Hex(0xB86A5A), Hex(0x8A4638)};

// A star cut like a jewel: every arm has a lit and a shaded half.
void FacetedStar(Canvas& canvas, Vec2 c, int tips, double outer, double inner, double angle,
                 const Metal& metal) {
    const Points outline = StarPoints(c, tips, outer, inner, angle);
    const ShapeRef star =
        Offset(Polygon(MapPoints(
                   outline,
                   Affine::Translate(c).After(Affine::Scale(0.94, 0.94)).After(Affine::Translate(c * -1.0)))),
               outer * 0.04);
    canvas.Fill(star, Supersampled(Facets(c, outline, outer * 0.35, metal.light, metal.dark), 3));
    EdgeTint(canvas, star, metal.rim, outer * 0.05, 0.7);
}

// Four arms with concave sides ending in sharp points: |x|^(2/p) + |y|^(2/p) = r^(2/p),
// an astroid for p = 3 and thinner above.
Points GlintOutline(Vec2 c, double radius, double p, double angle) {
    Points points;
    for (int i = 0; i < 400; ++i) {
        const double t = 2.0 * kPi * i / 400;
        const double co = Cos(t), si = Sin(t);
        const Vec2 v{(co < 0 ? -1.0 : 1.0) * Pow(std::fabs(co), p),
                     (si < 0 ? -1.0 : 1.0) * Pow(std::fabs(si), p)};
        points.push_back(c + Rotated(v * radius, angle));
    }
    return points;
}

// A four-pointed glint with a soft halo.
void Glint(Canvas& canvas, Vec2 c, double radius, double thinness, const Colour& tint, double halo) {
    if (halo > 0.0) Glow(canvas, c, radius * 0.9, tint, halo);
    const ShapeRef glint = Polygon(GlintOutline(c, radius, thinness, 0.0));
    canvas.Fill(
        glint,
        [=](const Sample& s) {
            const double t = Length(s.p - c) / radius;
            return Mix(Hex(0xFFFFFF), tint, SmoothStep(0.05, 0.7, t));
        },
        Blend::Over, 1.2);
    Glow(canvas, c, radius * 0.3, Hex(0xFFFFFF), 1.0);
}

Canvas GoldStar(int size, const Metal& metal, double angleJitter) {
    Canvas canvas(size, size);
    const Vec2 c{size * 0.5, size * 0.53};
    FacetedStar(canvas, c, 5, size * 0.49, size * 0.2, -kPi / 2.0 + angleJitter, metal);
    Glint(canvas, c + Vec2{-size * 0.13, -size * 0.1}, size * 0.1, 5.0, Hex(0xFFF8D0), 0.0);
    return canvas;
}

Canvas Sparkle(int size, const Colour& tint, double thinness, double halo) {
    Canvas canvas(size, size);
    Glint(canvas, canvas.Centre(), size * 0.49, thinness, tint, halo);
    return canvas;
}

Canvas Twinkle(int size, const Colour& tint) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    Glow(canvas, c, size * 0.45, tint, 0.8);
    // Long thin rays on the axes, short ones on the diagonals.
    std::vector<ShapeRef> rays;
    for (int i = 0; i < 8; ++i) {
        const double length = size * (i % 2 == 0 ? 0.49 : 0.26);
        const double width = size * (i % 2 == 0 ? 0.07 : 0.05);
        rays.push_back(Stroke({c, c + Polar(kPi / 4.0 * i, length)}, width, 0.2));
    }
    canvas.Fill(
        UnionAll(rays),
        [=](const Sample& s) {
            return Mix(Hex(0xFFFFFF), tint, SmoothStep(0.0, size * 0.35, Length(s.p - c)));
        },
        Blend::Over, 1.0);
    Glow(canvas, c, size * 0.16, Hex(0xFFFFFF), 1.0);
    return canvas;
}

// A sunburst badge: many alternating rays with facets.
Canvas Starburst(int size) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const Points outline = StarPoints(c, 12, size * 0.49, size * 0.3, -kPi / 2.0);
    Points varied = outline;
    for (size_t i = 0; i < varied.size(); i += 4) varied[i] = c + (varied[i] - c) * 0.8;
    const ShapeRef burst = Polygon(varied);
    canvas.Fill(burst, Supersampled(Facets(c, varied, size * 0.25, Hex(0xFFE860), Hex(0xE0561A)), 3));
    EdgeTint(canvas, burst, Hex(0xA83A10), size * 0.03, 0.6);
    const ShapeRef core = Circle(c, size * 0.2);
    Lighting light;
    light.strength = size * 0.4;
    light.specular = 0.6;
    canvas.Fill(core, Raised(canvas, core, size * 0.2, 0.0, Solid(Hex(0xFFB020)), light));
    return canvas;
}

// A soft, rounded star with a glossy top.
Canvas PuffyStar(int size, const Colour& colour, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c{size * 0.5, size * 0.53};
    Random random(seed);
    const double round = size * 0.07;
    const ShapeRef star = Offset(Polygon(StarPoints(c, 5, size * 0.49 - round, size * 0.23 - round,
                                                    -kPi / 2.0 + random.Uniform(-0.1, 0.1))),
                                 round);
    Lighting light;
    light.strength = size * 0.5;
    light.ambient = 0.55;
    light.diffuse = 0.55;
    light.specular = 0.7;
    light.shininess = 40.0;
    canvas.Fill(star, Raised(canvas, star, size * 0.16, size * 0.03, Solid(colour), light));
    EdgeTint(canvas, star, Shade(colour, 0.6), size * 0.05, 0.4);
    return canvas;
}

Canvas ShootingStar(int width, int height) {
    Canvas canvas(width, height);
    const Vec2 head{width * 0.8, height * 0.32};
    const Vec2 tail{width * 0.02, height * 0.9};
    // Three strands of trail, fading towards the end.
    for (int i = 0; i < 3; ++i) {
        const Vec2 offset = Perp(Normalised(head - tail)) * ((i - 1) * height * 0.07);
        const Vec2 end = tail + offset * 2.0 + Vec2{width * 0.1 * (i % 2), 0.0};
        const ShapeRef strand =
            Stroke(Curve(head, Mix(head, end, 0.5) + offset, end), height * 0.2, height * 0.02);
        canvas.Fill(
            strand,
            Linear(head, end,
                   {{0.0, Hex(0xFFE8A0, 1.0)}, {0.5, Hex(0xFFB050, 0.55)}, {1.0, Hex(0xFF8030, 0.0)}}),
            Blend::Add, 2.0);
    }
    FacetedStar(canvas, head, 5, height * 0.3, height * 0.12, -kPi / 2.0 + 0.3, kGold);
    Glow(canvas, head, height * 0.45, Hex(0xFFE080), 0.5);
    return canvas;
}

}  // namespace

void AddStars(Library& library) {
    library.AddSingle(kCategory, "Gold Star", GoldStar(80, kGold, 0.0));
    library.AddSingle(kCategory, "Sparkle", Sparkle(64, Hex(0xBFD8FF), 3.4, 0.6));
    library.AddSingle(kCategory, "Twinkle", Twinkle(48, Hex(0xFFE6A8)));
    library.AddSingle(kCategory, "Starburst", Starburst(88));
    library.AddSingle(kCategory, "Puffy Star", PuffyStar(72, Hex(0xF070B0), 71));
    library.AddSingle(kCategory, "Shooting Star", ShootingStar(128, 64));

    library.AddFolder(kCategory, "Night Sky",
                      {{"sparkle_4", Sparkle(40, Hex(0xC8DCFF), 3.4, 0.6)},
                       {"twinkle_6", Twinkle(24, Hex(0xFFF0C8))},
                       {"star_1", GoldStar(36, kGold, 0.2)},
                       {"blue_3", Twinkle(32, Hex(0x90B8FF))}});
    library.AddFolder(kCategory, "Glitter",
                      {{"gold_3", Sparkle(32, Hex(0xFFD060), 3.2, 0.5)},
                       {"silver_3", Sparkle(28, Hex(0xE0E8F0), 3.2, 0.5)},
                       {"pink_2", Sparkle(30, Hex(0xFF90C8), 3.2, 0.5)},
                       {"cyan_2", Sparkle(26, Hex(0x80E8FF), 3.2, 0.5)},
                       {"star_1", GoldStar(28, kRoseGold, -0.2)},
                       {"silver star_1", GoldStar(26, kSilver, 0.1)}});
}

}  // namespace Art
