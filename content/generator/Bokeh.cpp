// Bokeh and light: out-of-focus discs and hexagons, glows, fairy lights and a flare.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Bokeh and Light";

// A highlight far out of focus takes the shape of the lens aperture: an even disc
// with a slightly brighter rim and faint dust.
Canvas Disc(int size, const Colour& colour, int sides, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double r = size * 0.46;
    ShapeRef shape;
    if (sides == 0) {
        shape = Circle(c, r);
    } else {
        const double round = r * 0.12;
        shape = Offset(Polygon(RegularPolygon(c, sides, r - round * 1.1, Radians(-90.0))), round);
    }
    canvas.Fill(
        shape,
        [=](const Sample& s) {
            const double depth = -s.d / r;
            const double rim = 1.0 - SmoothStep(0.035, 0.1, depth);
            const double dust = Fractal(s.p.x / (size * 0.09), s.p.y / (size * 0.09), seed, 3);
            const double alpha = 0.6 + 0.08 * SmoothStep(0.2, 1.0, depth) + 0.5 * rim - 0.08 * dust;
            return WithAlpha(Mix(colour, Hex(0xFFFFFF), 0.2 + 0.25 * rim + 0.1 * SmoothStep(0.6, 1.0, depth)),
                             alpha);
        },
        Blend::Over, 1.8);
    return canvas;
}

// A point of light: a white-hot core in a coloured halo.
Canvas GlowLight(int size, const Colour& colour, double core) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double r = size * 0.5;
    canvas.Fill(Circle(c, r), [=](const Sample& s) {
        const double q = Length(s.p - c) / r;
        const double halo = Exp(-2.5 * q * q) * (1.0 - q * q) * 0.85;
        const double hot = 1.0 - SmoothStep(core * 0.5, core, q);
        const double warm = 1.0 - SmoothStep(core, core * 2.5, q);
        return WithAlpha(Mix(Mix(colour, Hex(0xFFFFFF), 0.4 * warm), Hex(0xFFFFFF), hot),
                         Clamp01(halo + hot));
    });
    return canvas;
}

Canvas Flare(int size) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double r = size * 0.5;
    // A faint ring of colours around the light.
    canvas.Fill(
        Outline(Circle(c, r * 0.62), r * 0.06),
        [=](const Sample& s) {
            const double a = Atan2(s.p.y - c.y, s.p.x - c.x);
            return WithAlpha(Hsv(0.05 + a / (2.0 * kPi), 0.5, 1.0), 0.22);
        },
        Blend::Add, r * 0.08);
    std::vector<ShapeRef> rays;
    Random random(211);
    for (int i = 0; i < 8; ++i) {
        const double a = 2.0 * kPi * i / 8 + 0.2;
        const double length = r * (i % 2 == 0 ? 0.98 : 0.6) * random.Uniform(0.85, 1.0);
        rays.push_back(Stroke({c, c + Polar(a, length)}, r * 0.05, 0.3));
    }
    canvas.Fill(
        UnionAll(rays),
        [=](const Sample& s) { return WithAlpha(Hex(0xFFF4D8), 1.0 - SmoothStep(0.0, r, Length(s.p - c))); },
        Blend::Add, 1.2);
    Glow(canvas, c, r * 0.55, Hex(0xFFD080), 0.9);
    canvas.Fill(Circle(c, r * 0.12),
                Radial(c, r * 0.12, {{0.0, Hex(0xFFFFFF)}, {0.6, Hex(0xFFFFFF)}, {1.0, Hex(0xFFF0C0, 0.0)}}));
    return canvas;
}

}  // namespace

void AddBokeh(Library& library) {
    library.AddSingle(kCategory, "Bokeh", Disc(96, Hex(0xFFB848), 0, 221));
    library.AddSingle(kCategory, "Hexagon Bokeh", Disc(80, Hex(0x58C8E8), 6, 222));
    library.AddSingle(kCategory, "Glow", GlowLight(64, Hex(0xFFC860), 0.14));
    library.AddSingle(kCategory, "Fairy Light", GlowLight(40, Hex(0xFF9A40), 0.2));
    library.AddSingle(kCategory, "Lens Flare", Flare(128));

    library.AddFolder(kCategory, "City Lights",
                      {{"amber_3", Disc(80, Hex(0xFFB040), 0, 231)},
                       {"orange_2", Disc(64, Hex(0xFF7A30), 0, 232)},
                       {"white_2", Disc(56, Hex(0xFFF4E0), 0, 233)},
                       {"blue_2", Disc(72, Hex(0x4A8CFF), 0, 234)},
                       {"red_1", Disc(48, Hex(0xFF4048), 0, 235)},
                       {"teal_1", Disc(60, Hex(0x30D0C0), 0, 236)}});
    library.AddFolder(kCategory, "Fairy Lights",
                      {{"warm_4", GlowLight(36, Hex(0xFFA040), 0.2)},
                       {"gold_3", GlowLight(32, Hex(0xFFD060), 0.2)},
                       {"pink_1", GlowLight(32, Hex(0xFF70B0), 0.2)},
                       {"blue_1", GlowLight(28, Hex(0x70A8FF), 0.22)}});
    library.AddFolder(kCategory, "Pastel Bokeh",
                      {{"pink_2", Disc(64, Hex(0xFFA8CC), 6, 241)},
                       {"lilac_2", Disc(56, Hex(0xC8A8FF), 6, 242)},
                       {"mint_2", Disc(60, Hex(0xA0F0D0), 6, 243)},
                       {"peach_2", Disc(48, Hex(0xFFC8A0), 6, 244)}});
}

}  // namespace Art
