// Flowers and petals: whole blossoms seen from above, and single petals.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Flowers and Petals";

struct PetalStyle {
    Colour base, tip;  // along the petal
    Colour edge;       // tint near the outline
    Colour vein;
    int veins;
    double relief;  // strength of the lighting, 0 for flat
};

// One petal along an axis from its base (at the flower's centre) to its tip.
// A notch above zero cuts a round bite out of the tip, as wide as that share of the petal.
void DrawPetal(Canvas& canvas, const Axis& axis, const std::function<double(double)>& half,
               const PetalStyle& style, uint32_t seed, double notch = 0.0) {
    ShapeRef petal = Polygon(AxialOutline(axis, half, half, 120));
    if (notch > 0.0) {
        const double r = half(0.85) * notch;
        const Vec2 forward = Normalised(axis.tip - axis.At(0.95));
        petal = Subtract(
            petal, Ellipse(axis.tip + forward * (r * 0.35), r * 0.8, r * 1.1, Atan2(forward.y, forward.x)));
    }
    const Vec2 from = axis.base, to = axis.tip;
    const Vec2 along = to - from;
    const double inv = 1.0 / Dot(along, along);
    Paint body = [=](const Sample& s) {
        const double u = Clamp01(Dot(s.p - from, along) * inv);
        const double n = Fractal(s.p.x / 3.0, s.p.y / 9.0, seed, 3);
        return Shade(Mix(style.base, style.tip, SmoothStep(0.0, 1.0, u)), 0.95 + 0.08 * n);
    };
    const double length = axis.Length();
    if (style.relief > 0.0) {
        Lighting light;
        light.strength = length * style.relief;
        light.ambient = 0.7;
        light.diffuse = 0.38;
        light.specular = 0.08;
        body = Raised(canvas, petal, length * 0.25, length * 0.05, body, light, PillowProfile);
    }
    canvas.Fill(petal, body);
    EdgeTint(canvas, petal, style.edge, length * 0.1, 0.5);
    std::vector<ShapeRef> veins;
    for (int i = 0; i < style.veins; ++i) {
        const double f = style.veins == 1 ? 0.0 : Lerp(-0.6, 0.6, static_cast<double>(i) / (style.veins - 1));
        const Vec2 end = axis.At(0.8) + axis.Side(0.8) * (half(0.8) * f);
        const Vec2 control = axis.At(0.4) + axis.Side(0.4) * (half(0.4) * f * 0.6);
        veins.push_back(Stroke(Curve(axis.At(0.04), control, end), length * 0.025, length * 0.008));
    }
    if (!veins.empty()) canvas.Fill(UnionAll(veins), Solid(style.vein), Blend::Atop);
}

// Half width of a petal that is round at the end; it is widest at u = 0.5 ^ (1 / waist).
std::function<double(double)> RoundPetal(double width, double waist) {
    return [=](double u) { return width * Pow(Sin(kPi * Pow(Clamp01(u), waist)), 0.6) + 0.3; };
}

// A round, lit centre with florets set on a sunflower spiral.
void FlowerCentre(Canvas& canvas, Vec2 centre, double radius, const Colour& inner, const Colour& outer,
                  const Colour& dot, double dotSize, uint32_t seed) {
    const ShapeRef disc = Circle(centre, radius);
    Lighting light;
    light.strength = radius * 1.6;
    light.ambient = 0.55;
    light.diffuse = 0.6;
    light.specular = 0.25;
    canvas.Fill(
        disc, Raised(canvas, disc, radius, 0.0, Radial(centre, radius, {{0.0, inner}, {1.0, outer}}), light));
    const double golden = kPi * (3.0 - std::sqrt(5.0));
    const int count = static_cast<int>(radius * radius / (dotSize * dotSize) * 0.9);
    Random random(seed);
    for (int i = 1; i < count; ++i) {
        const double r = radius * 0.92 * std::sqrt(static_cast<double>(i) / count);
        const Vec2 p = centre + Polar(i * golden, r);
        canvas.Fill(Circle(p, dotSize * 0.42), Solid(WithAlpha(dot, random.Uniform(0.35, 0.7))), Blend::Atop);
    }
    EdgeTint(canvas, disc, Shade(outer, 0.6), radius * 0.25, 0.5);
}

Canvas Daisy(int size, int petals, const PetalStyle& style, const Colour& centreColour, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double reach = size * 0.48;
    Random random(seed);
    for (int ring = 0; ring < 2; ++ring) {
        const double offset = ring * kPi / petals;
        const double length = reach * (ring == 0 ? 0.93 : 1.0);
        PetalStyle st = style;
        if (ring == 0) {
            st.base = Shade(st.base, 0.86);
            st.tip = Shade(st.tip, 0.9);
        }
        for (int i = 0; i < petals; ++i) {
            const double a = offset + 2.0 * kPi * i / petals + random.Uniform(-0.06, 0.06);
            const double l = length * random.Uniform(0.92, 1.0);
            const Axis axis{c, c + Polar(a, l), random.Uniform(-0.05, 0.05)};
            DrawPetal(canvas, axis, RoundPetal(l * 0.12, 0.8), st, seed + static_cast<uint32_t>(i), 0.5);
        }
    }
    FlowerCentre(canvas, c, size * 0.14, Shade(centreColour, 1.2), Shade(centreColour, 0.8), Hex(0x8A5A10),
                 size * 0.035, seed);
    return canvas;
}

Canvas Blossom(int size, int petals, double notch, const PetalStyle& style, const Colour& eye, uint32_t seed,
               bool stamens) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double reach = size * 0.48;
    Random random(seed);
    const double turn = random.Uniform(0.0, 1.0);
    for (int i = 0; i < petals; ++i) {
        const double a = turn + 2.0 * kPi * i / petals;
        const Axis axis{c, c + Polar(a, reach * random.Uniform(0.94, 1.0)), random.Uniform(-0.04, 0.04)};
        DrawPetal(canvas, axis, RoundPetal(reach * 0.36, 1.7), style, seed + static_cast<uint32_t>(i), notch);
    }
    canvas.Fill(Circle(c, size * 0.13), Radial(c, size * 0.13, {{0.0, eye}, {1.0, WithAlpha(eye, 0.0)}}));
    if (stamens) {
        std::vector<ShapeRef> threads, tips;
        for (int i = 0; i < 22; ++i) {
            const double a = 2.0 * kPi * i / 22 + random.Uniform(-0.1, 0.1);
            const Vec2 end = c + Polar(a, size * random.Uniform(0.17, 0.27));
            threads.push_back(Stroke({c, end}, size * 0.012, size * 0.008));
            tips.push_back(Circle(end, size * 0.022));
        }
        canvas.Fill(UnionAll(threads), Solid(Hex(0xF4E4D0, 0.9)));
        canvas.Fill(UnionAll(tips), Radial(c, size * 0.3, {{0.0, Hex(0xF0C040)}, {1.0, Hex(0xC8801C)}}));
    } else {
        canvas.Fill(Circle(c, size * 0.07), Solid(Hex(0xF6D24A)));
        EdgeTint(canvas, Circle(c, size * 0.07), Hex(0xC08010), size * 0.03, 0.6);
    }
    return canvas;
}

Canvas Sunflower(int size, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double reach = size * 0.49;
    Random random(seed);
    const PetalStyle back{Hex(0xD88A10), Hex(0xE8A818), Hex(0x9A5A08), Hex(0xF8D060, 0.35), 3, 0.5};
    const PetalStyle front{Hex(0xF0A818), Hex(0xFCD23A), Hex(0xB87010), Hex(0xFFF0A0, 0.35), 3, 0.5};
    for (int ring = 0; ring < 2; ++ring) {
        const int petals = 21;
        for (int i = 0; i < petals; ++i) {
            const double a =
                (ring + 0.5 * ring) * kPi / petals + 2.0 * kPi * i / petals + random.Uniform(-0.05, 0.05);
            const double l = reach * (ring == 0 ? 1.0 : 0.9) * random.Uniform(0.9, 1.0);
            const Axis axis{c, c + Polar(a, l), random.Uniform(-0.08, 0.08)};
            auto half = [=](double u) {
                return l * 0.12 * Pow(Sin(kPi * Pow(Clamp01(u), 0.7)), 0.8) * (1.0 - 0.35 * u) + 0.3;
            };
            DrawPetal(canvas, axis, half, ring == 0 ? back : front,
                      seed + static_cast<uint32_t>(i + ring * 50));
        }
    }
    FlowerCentre(canvas, c, size * 0.25, Hex(0x6A4018), Hex(0x3A220C), Hex(0x1E1006), size * 0.03, seed);
    return canvas;
}

// Poppy: four wide, crinkled petals with dark blotches at their base.
Canvas Poppy(int size, uint32_t seed) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const double reach = size * 0.49;
    const PetalStyle style{Hex(0xB8141C), Hex(0xE8302A), Hex(0x7A0A10), Hex(0x9A1018, 0.4), 7, 0.9};
    Random random(seed);
    for (int i = 0; i < 4; ++i) {
        const double a = 0.4 + kPi / 2.0 * i + random.Uniform(-0.1, 0.1);
        const Axis axis{c, c + Polar(a, reach * random.Uniform(0.92, 1.0)), random.Uniform(-0.06, 0.06)};
        auto half = [=](double u) {
            const double v = Clamp01(u);
            return reach * 0.62 * Pow(Sin(kPi * Pow(v, 0.45)), 0.5) * (1.0 + 0.04 * Sin(v * 40.0)) + 0.3;
        };
        DrawPetal(canvas, axis, half, style, seed + static_cast<uint32_t>(i));
        canvas.Fill(Ellipse(axis.At(0.2), reach * 0.14, reach * 0.1, a), Solid(Hex(0x1A0808, 0.85)),
                    Blend::Atop, reach * 0.1);
    }
    const ShapeRef pod = Circle(c, size * 0.1);
    Lighting light;
    light.strength = size * 0.2;
    canvas.Fill(pod, Raised(canvas, pod, size * 0.1, 0.0, Solid(Hex(0x5A6A3A)), light));
    std::vector<ShapeRef> rays;
    for (int i = 0; i < 8; ++i)
        rays.push_back(Stroke({c, c + Polar(kPi / 4.0 * i, size * 0.085)}, size * 0.014));
    canvas.Fill(UnionAll(rays), Solid(Hex(0x2A3018, 0.8)), Blend::Atop);
    std::vector<ShapeRef> anthers;
    for (int i = 0; i < 40; ++i) {
        const double a = random.Uniform(0.0, 2.0 * kPi);
        anthers.push_back(Circle(c + Polar(a, size * random.Uniform(0.12, 0.17)), size * 0.014));
    }
    canvas.Fill(UnionAll(anthers), Solid(Hex(0x201418)));
    return canvas;
}

// A single cupped petal, standing on its narrow base.
// `waist` above 1 moves the widest part towards the tip.
Canvas SinglePetal(int width, int height, const PetalStyle& style, double notch, double waist,
                   uint32_t seed) {
    Canvas canvas(width, height);
    const double w = width, h = height;
    const Axis axis{{w * 0.5, h * 0.97}, {w * 0.5, h * 0.03}, 0.04};
    auto half = [=](double u) {
        const double v = Clamp01(u);
        return w * 0.47 * Pow(Sin(kPi * Pow(v, waist)), 0.55) + 0.3;
    };
    DrawPetal(canvas, axis, half, style, seed, notch);
    // The rim curls towards the viewer and catches the light.
    canvas.Fill(
        Polygon(AxialOutline(axis, half, half, 120)),
        [=](const Sample& s) {
            const double rim = 1.0 - SmoothStep(0.0, w * 0.08, -s.d);
            const double top = SmoothStep(h * 0.7, h * 0.1, s.p.y);
            return WithAlpha(Hex(0xFFFFFF), 0.35 * rim * top);
        },
        Blend::Atop);
    return canvas;
}

const PetalStyle kWhite{Hex(0xE4E6EE), Hex(0xFFFFFF), Hex(0xA8AAC0), Hex(0xC8CAD8, 0.5), 2, 0.6};
const PetalStyle kCherry{Hex(0xE87AA4), Hex(0xFCE0EA), Hex(0xC85A88), Hex(0xD86A96, 0.35), 5, 0.6};
const PetalStyle kPalePink{Hex(0xF4B8CE), Hex(0xFFF2F6), Hex(0xE090B0), Hex(0xE8A0BE, 0.3), 5, 0.6};
const PetalStyle kDeepPink{Hex(0xC83C78), Hex(0xF28AB4), Hex(0x98204E), Hex(0xB03068, 0.35), 5, 0.6};
const PetalStyle kRose{Hex(0x8A0A22), Hex(0xD42A44), Hex(0x5A0414), Hex(0xA01834, 0.35), 7, 0.8};
const PetalStyle kBlue{Hex(0x4A7AD8), Hex(0x8AB4F4), Hex(0x2A4AA0), Hex(0x3A64C0, 0.35), 3, 0.5};
const PetalStyle kButtercup{Hex(0xF0B010), Hex(0xFFE040), Hex(0xC08008), Hex(0xFFF4A0, 0.4), 3, 0.9};

}  // namespace

void AddFlowers(Library& library) {
    library.AddSingle(kCategory, "Daisy", Daisy(104, 17, kWhite, Hex(0xF2B81E), 41));
    library.AddSingle(kCategory, "Cherry Blossom", Blossom(88, 5, 0.3, kCherry, Hex(0xC8306A), 42, true));
    library.AddSingle(kCategory, "Sunflower", Sunflower(120, 43));
    library.AddSingle(kCategory, "Poppy", Poppy(100, 44));
    library.AddSingle(kCategory, "Forget-me-not", Blossom(40, 5, 0.0, kBlue, Hex(0xFFFFFF), 45, false));
    library.AddSingle(kCategory, "Rose Petal", SinglePetal(76, 84, kRose, 0.15, 1.9, 46));
    library.AddSingle(kCategory, "Petal", SinglePetal(40, 48, kCherry, 0.35, 1.5, 47));

    library.AddFolder(kCategory, "Cherry Petals",
                      {{"pink_5", SinglePetal(40, 48, kCherry, 0.35, 1.5, 51)},
                       {"blossom_2", Blossom(64, 5, 0.3, kCherry, Hex(0xC8306A), 52, true)},
                       {"pale_4", SinglePetal(34, 40, kPalePink, 0.3, 1.5, 53)},
                       {"deep_3", SinglePetal(36, 44, kDeepPink, 0.3, 1.5, 54)}});
    library.AddFolder(kCategory, "Meadow",
                      {{"daisy_3", Daisy(72, 15, kWhite, Hex(0xF2B81E), 61)},
                       {"buttercup_2", Blossom(44, 5, 0.0, kButtercup, Hex(0xE89010), 62, false)},
                       {"forgetmenot_3", Blossom(36, 5, 0.0, kBlue, Hex(0xFFFFFF), 63, false)},
                       {"poppy_1", Poppy(76, 64)}});
}

}  // namespace Art
