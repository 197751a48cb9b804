// Bubbles and drops: see-through soap bubbles with coloured films, water drops lying on
// a surface, and falling rain drops.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Bubbles and Drops";

Canvas SoapBubble(int size, double hueShift, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double r = size * 0.48;
    const ShapeRef ball = Circle(c, r);
    // Thin-film colours drift in bands across the sphere; the film shows most near the rim.
    canvas.Fill(ball, [=](const Sample& s) {
        const Vec2 v = (s.p - c) * (1.0 / r);
        const double q = Clamp01(Length(v));
        const double swirl = Fractal(v.x * 0.9 + 3.0, v.y * 0.9 + v.x * 0.5, seed, 2);
        const double hue = hueShift + 1.6 * swirl + 0.3 * v.y;
        const double rim = Pow(q, 6.0);
        const Colour film = Hsv(hue, 0.65 * (0.35 + 0.65 * q * q * q), 1.0);
        return WithAlpha(Mix(film, Hex(0xFFFFFF), 0.2 * rim), 0.05 + 0.14 * q * q + 0.62 * rim);
    });
    canvas.Fill(Outline(ball, size * 0.006), Solid(Hex(0xFFFFFF, 0.6)));
    // The window the bubble reflects, curved along the upper left, and a smaller one opposite.
    const ShapeRef window =
        Intersect(Circle(c, r * 0.84), Subtract(Circle(c + Vec2{-r * 0.08, -r * 0.08}, r * 0.84),
                                                Circle(c + Vec2{r * 0.2, r * 0.22}, r * 0.86)));
    canvas.Fill(
        window,
        Linear(c + Vec2{-r * 0.7, -r * 0.7}, c, {{0.0, Hex(0xFFFFFF, 1.0)}, {1.0, Hex(0xFFFFFF, 0.1)}}),
        Blend::Over, 1.5);
    // The sharp highlight keeps a solid core even on the smallest bubbles.
    canvas.Fill(
        Ellipse(c + Vec2{-r * 0.42, -r * 0.42}, std::max(r * 0.14, 2.2), std::max(r * 0.07, 1.3), -kPi / 4.0),
        Solid(Hex(0xFFFFFF)), Blend::Over, 1.0);
    canvas.Fill(Ellipse(c + Vec2{r * 0.5, r * 0.5}, r * 0.16, r * 0.05, -kPi / 4.0),
                Solid(Hex(0xFFFFFF, 0.7)), Blend::Over, 2.0);
    return canvas;
}

// A drop lying on a surface, seen from above, lit from the upper left: the light
// passes through and brightens the far side, the near side is dark.
Canvas WaterDrop(int width, int height, const Colour& tint, uint32_t seed) {
    Canvas canvas(width, height);
    const Vec2 c = canvas.Centre() + Vec2{-width * 0.02, -height * 0.02};
    const double rx = width * 0.44, ry = height * 0.44;
    const ShapeRef drop = Polygon(Blob(c, rx, ry, 0.06, seed));
    // Shadow on the surface below and to the right.
    canvas.Fill(Transformed(drop, Affine::Translate({width * 0.03, height * 0.04})),
                Solid(Hex(0x10202C, 0.3)), Blend::Over, width * 0.06);
    const double rr = std::min(rx, ry);
    canvas.Fill(drop, [=](const Sample& s) {
        const Vec2 v{(s.p.x - c.x) / rx, (s.p.y - c.y) / ry};
        const double along = (v.x + v.y) * 0.7071;  // -1 upper left .. 1 lower right
        const double edge = 1.0 - SmoothStep(0.0, rr * 0.35, -s.d);
        Colour col = Mix(Shade(tint, 0.35), Mix(tint, Hex(0xFFFFFF), 0.55), SmoothStep(-0.9, 0.8, along));
        col = Mix(col, Shade(tint, 0.3), edge * SmoothStep(0.3, -0.8, along));
        const double alpha = 0.45 + 0.45 * edge + 0.1 * SmoothStep(0.2, -0.9, along);
        return WithAlpha(col, alpha);
    });
    // The bright crescent where light leaves the drop, and the sharp highlight.
    const ShapeRef caustic =
        Intersect(drop, Subtract(Circle(c, rr * 0.88), Circle(c + Vec2{-rr * 0.14, -rr * 0.14}, rr * 0.86)));
    canvas.Fill(caustic, Solid(WithAlpha(Mix(tint, Hex(0xFFFFFF), 0.8), 0.8)), Blend::Over, rr * 0.12);
    canvas.Fill(Ellipse(c + Vec2{-rx * 0.38, -ry * 0.4}, rr * 0.2, rr * 0.11, -kPi / 4.0),
                Solid(Hex(0xFFFFFF)), Blend::Over, 1.6);
    canvas.Fill(Circle(c + Vec2{-rx * 0.12, -ry * 0.55}, rr * 0.05), Solid(Hex(0xFFFFFF, 0.9)));
    return canvas;
}

// A falling drop: round below, drawn to a point above.
Canvas RainDrop(int width, int height, const Colour& tint) {
    Canvas canvas(width, height);
    const double w = width, h = height;
    Points outline;
    for (int i = 0; i < 240; ++i) {
        const double t = 2.0 * kPi * i / 240;
        const double x = Sin(t) * Pow(std::fabs(Sin(t * 0.5)), 1.6);
        outline.push_back({w * 0.5 + x * w * 0.46, h * 0.5 - Cos(t) * h * 0.48});
    }
    const ShapeRef drop = Polygon(outline);
    const Vec2 bulb{w * 0.5, h * 0.7};
    canvas.Fill(drop, [=](const Sample& s) {
        const double across = (s.p.x - w * 0.5) / (w * 0.46);
        const double down = s.p.y / h;
        Colour col = Mix(Shade(tint, 0.45), Mix(tint, Hex(0xFFFFFF), 0.4), SmoothStep(0.2, 1.0, down));
        col = Mix(col, Shade(tint, 0.4), SmoothStep(0.3, 1.0, -across) * 0.5);
        const double edge = 1.0 - SmoothStep(0.0, w * 0.18, -s.d);
        return WithAlpha(col, 0.55 + 0.4 * edge);
    });
    canvas.Fill(
        Intersect(drop, Subtract(Circle(bulb, w * 0.4), Circle(bulb + Vec2{-w * 0.06, -w * 0.08}, w * 0.38))),
        Solid(WithAlpha(Mix(tint, Hex(0xFFFFFF), 0.85), 0.85)), Blend::Over, w * 0.06);
    canvas.Fill(
        Stroke(Curve({w * 0.3, h * 0.72}, {w * 0.27, h * 0.55}, {w * 0.4, h * 0.35}), w * 0.09, w * 0.03),
        Solid(Hex(0xFFFFFF)), Blend::Over, 1.0);
    return canvas;
}

const Colour kWater = Hex(0x5C9ED8);
const Colour kTeal = Hex(0x3CB4B4);

}  // namespace

void AddBubbles(Library& library) {
    library.AddSingle(kCategory, "Soap Bubble", SoapBubble(96, 0.0, 81));
    library.AddSingle(kCategory, "Water Drop", WaterDrop(72, 64, kWater, 82));
    library.AddSingle(kCategory, "Raindrop", RainDrop(40, 64, kWater));
    library.AddSingle(kCategory, "Dew", WaterDrop(28, 28, Hex(0x8AC0B0), 83));
    library.AddSingle(kCategory, "Bubble", SoapBubble(48, 0.4, 84));

    library.AddFolder(kCategory, "Foam",
                      {{"large_1", SoapBubble(80, 0.15, 91)},
                       {"medium_3", SoapBubble(48, 0.55, 92)},
                       {"small_5", SoapBubble(32, 0.8, 93)},
                       {"tiny_6", SoapBubble(24, 0.3, 94)}});
    library.AddFolder(kCategory, "Rain",
                      {{"raindrop_4", RainDrop(32, 52, kWater)},
                       {"drop_2", WaterDrop(44, 40, kWater, 95)},
                       {"small_3", RainDrop(24, 38, kTeal)},
                       {"dew_3", WaterDrop(24, 24, kTeal, 96)}});
}

}  // namespace Art
