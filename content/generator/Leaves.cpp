// Leaves: maple, oak, birch, ginkgo, willow and green leaves, upright with the stalk down.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Leaves";

struct LeafColours {
    Colour base, middle, tip;  // along the leaf, stalk to tip
    Colour blotch;
    double blotchAmount;
    Colour vein, rim, stalk;
};

// Body colour: a gradient along the leaf, broken up by soft blotches.
Paint LeafBody(Vec2 from, Vec2 to, const LeafColours& c, uint32_t seed, double grain) {
    const Vec2 along = to - from;
    const double inv = 1.0 / Dot(along, along);
    return [=](const Sample& s) {
        const double u = Clamp01(Dot(s.p - from, along) * inv);
        Colour col = u < 0.5 ? Mix(c.base, c.middle, u * 2.0) : Mix(c.middle, c.tip, (u - 0.5) * 2.0);
        const double n = Fractal(s.p.x / grain, s.p.y / grain, seed, 4);
        col = Mix(col, c.blotch, c.blotchAmount * SmoothStep(0.42, 0.72, n));
        const double fine = Fractal(s.p.x / 2.5, s.p.y / 2.5, seed + 7u, 2);
        return Shade(col, 0.94 + 0.1 * fine);
    };
}

struct Vein {
    Points path;
    double width0, width1;
};

// Stalk, lit body, darker rim, embossed veins and a few spots.
Canvas FinishLeaf(int width, int height, const ShapeRef& body, const Paint& bodyPaint,
                  const std::vector<Vein>& veins, const Points& stalk, double stalkWidth,
                  const LeafColours& c, uint32_t seed, int spots) {
    Canvas canvas(width, height);
    if (!stalk.empty()) {
        const ShapeRef stem = Stroke(stalk, stalkWidth, stalkWidth * 0.6);
        canvas.Fill(stem, Solid(c.stalk));
        Points shine = stalk;
        for (Vec2& p : shine) p = p + Vec2{-stalkWidth * 0.18, 0.0};
        canvas.Fill(Stroke(shine, stalkWidth * 0.35, stalkWidth * 0.2),
                    Solid(WithAlpha(Shade(c.stalk, 1.5), 0.6)), Blend::Atop);
    }
    const double size = std::min(width, height);
    Lighting light;
    light.strength = size * 0.9;
    light.ambient = 0.62;
    light.diffuse = 0.45;
    light.specular = 0.12;
    light.shininess = 12.0;
    canvas.Fill(body, Raised(canvas, body, size * 0.22, size * 0.03, bodyPaint, light, PillowProfile));
    EdgeTint(canvas, body, Shade(c.rim, 1.0), size * 0.05, 0.55);

    std::vector<ShapeRef> shadows, lines;
    for (const Vein& v : veins) {
        Points offset = v.path;
        for (Vec2& p : offset) p = p + Vec2{0.5, 0.7};
        shadows.push_back(Stroke(offset, v.width0, v.width1));
        lines.push_back(Stroke(v.path, v.width0, v.width1));
    }
    canvas.Fill(UnionAll(shadows), Solid(WithAlpha(Shade(c.rim, 0.8), 0.35)), Blend::Atop);
    canvas.Fill(UnionAll(lines), Solid(c.vein), Blend::Atop);

    Random random(seed);
    Speckle(canvas, Offset(body, -size * 0.06), random, spots, size * 0.008, size * 0.022, Shade(c.rim, 0.7),
            0.5);
    return canvas;
}

// Pinnate veins: a midrib and `pairs` side veins running forward to the margin.
std::vector<Vein> PinnateVeins(const Axis& axis, const std::function<double(double)>& halfWidth, int pairs,
                               double midrib, double u0, double u1, double reach) {
    std::vector<Vein> veins{{AxisPath(axis, 0.0, 0.97), midrib, midrib * 0.25}};
    for (int i = 0; i < pairs; ++i) {
        const double u = Lerp(u0, u1, static_cast<double>(i) / (pairs - 1));
        const double end = std::min(0.98, u + 0.11);
        for (double side : {-1.0, 1.0}) {
            const Vec2 start = axis.At(u);
            const Vec2 tip = axis.At(end) + axis.Side(end) * (side * halfWidth(end) * reach);
            const Vec2 control = axis.At(u + 0.03) + axis.Side(u) * (side * halfWidth(u) * reach * 0.6);
            veins.push_back({Curve(start, control, tip), midrib * 0.55, midrib * 0.15});
        }
    }
    return veins;
}

// Maple: five pointed lobes with teeth, around the top of the stalk.
Canvas Maple(int size, const LeafColours& c, uint32_t seed) {
    const double s = size;
    const Vec2 junction{s * 0.5, s * 0.6};
    const double reach = s * 0.56;
    // Lobes are fingers of a given half width ending in a point.
    struct Lobe {
        double angle, length, halfWidth;
    };
    std::vector<Lobe> lobes;
    for (const Lobe& main : {Lobe{0.0, 1.0, 0.17}, Lobe{0.98, 0.92, 0.16}, Lobe{-0.98, 0.92, 0.16},
                             Lobe{2.0, 0.58, 0.13}, Lobe{-2.0, 0.58, 0.13}}) {
        lobes.push_back(main);
        // Two big teeth near the end of every lobe.
        for (double side : {-1.0, 1.0})
            lobes.push_back({main.angle + side * main.halfWidth / main.length * 1.7, main.length * 0.78,
                             main.halfWidth * 0.45});
    }
    Random random(seed);
    for (Lobe& lobe : lobes) lobe.length *= random.Uniform(0.95, 1.04);
    auto radius = [&](double theta) {
        // theta is measured from straight up, clockwise.
        const double a = theta > kPi ? theta - 2.0 * kPi : theta;
        double r = 0.3 - 0.18 * SmoothStep(2.3, 3.1, std::fabs(a));
        for (const Lobe& lobe : lobes) {
            const double off = std::fabs(a - lobe.angle);
            if (off >= kPi / 2.0) continue;
            const double side = off > 0.0 ? lobe.halfWidth / Sin(off) : 1e9;
            r = std::max(r, std::min(lobe.length * (1.0 - off * 1.1), side));
        }
        return r * reach;
    };
    Points outline;
    for (int i = 0; i < 720; ++i) {
        const double theta = 2.0 * kPi * i / 720;
        outline.push_back(junction + Vec2{Sin(theta), -Cos(theta)} * radius(theta));
    }
    const ShapeRef body = Polygon(outline);

    std::vector<Vein> veins;
    for (size_t i = 0; i < lobes.size(); i += 3) {
        const Lobe& lobe = lobes[i];
        const Vec2 dir{Sin(lobe.angle), -Cos(lobe.angle)};
        const Vec2 tip = junction + dir * (radius(lobe.angle < 0 ? lobe.angle + 2 * kPi : lobe.angle) * 0.9);
        veins.push_back({{junction, tip}, s * 0.022, s * 0.005});
        for (int side : {1, 2}) {
            const Lobe& tooth = lobes[i + side];
            const double ta = tooth.angle < 0 ? tooth.angle + 2 * kPi : tooth.angle;
            const Vec2 toothTip = junction + Vec2{Sin(ta), -Cos(ta)} * (radius(ta) * 0.86);
            const Vec2 start = Mix(junction, tip, 0.45);
            veins.push_back(
                {Curve(start, Mix(start, toothTip, 0.5) + dir * (s * 0.02), toothTip), s * 0.012, s * 0.004});
        }
    }
    const Points stalk = Curve(junction, {s * 0.47, s * 0.8}, {s * 0.53, s * 0.985});
    return FinishLeaf(size, size, body, LeafBody({s * 0.5, s * 0.9}, {s * 0.5, s * 0.05}, c, seed, s * 0.18),
                      veins, stalk, s * 0.035, c, seed, 5);
}

// Oak: an elongated blade with rounded lobes, widest towards the tip.
Canvas Oak(int width, int height, const LeafColours& c, uint32_t seed) {
    const double w = width, h = height;
    const Axis axis{{w * 0.5, h * 0.86}, {w * 0.5, h * 0.025}, 0.03};
    auto envelope = [=](double u) {
        return w * 0.36 * Pow(Sin(kPi * Clamp(u, 0.0, 1.0)), 0.7) * (0.45 + 0.65 * u);
    };
    auto lobed = [=](double phase) {
        return [=](double u) {
            const double wave = std::fabs(Sin(kPi * (4.0 * u + phase)));
            return envelope(u) * (0.5 + 0.5 * Pow(wave, 0.45)) + 0.8;
        };
    };
    const auto left = lobed(0.55), right = lobed(0.25);
    const ShapeRef body = Polygon(AxialOutline(axis, left, right, 240));
    std::vector<Vein> veins{{AxisPath(axis, 0.0, 0.96), w * 0.04, w * 0.01}};
    // One vein into every lobe: lobes peak where the wave is 1.
    for (int side = -1; side <= 1; side += 2) {
        const double phase = side < 0 ? 0.55 : 0.25;
        for (int k = 0; k < 5; ++k) {
            const double u = (k + 0.5 - phase) / 4.0;
            if (u < 0.1 || u > 0.9) continue;
            const Vec2 start = axis.At(u - 0.07);
            const Vec2 tip = axis.At(u) + axis.Side(u) * (side * (side < 0 ? left(u) : right(u)) * 0.8);
            veins.push_back(
                {Curve(start, Mix(start, tip, 0.5) + Vec2{0.0, -h * 0.02}, tip), w * 0.022, w * 0.006});
        }
    }
    const Points stalk = Curve(axis.base, {w * 0.47, h * 0.93}, {w * 0.52, h * 0.99});
    return FinishLeaf(width, height, body, LeafBody(axis.base, axis.tip, c, seed, w * 0.25), veins, stalk,
                      w * 0.05, c, seed, 6);
}

// Birch-like: an oval blade with a pointed tip and forward-pointing teeth.
Canvas Toothed(int width, int height, double teeth, double toothDepth, const LeafColours& c, uint32_t seed,
               double bend) {
    const double w = width, h = height;
    const Axis axis{{w * 0.5, h * 0.8}, {w * 0.5, h * 0.02}, bend};
    auto envelope = [=](double u) {
        const double v = Clamp(u, 0.0, 1.0);
        return w * 0.44 * Pow(Sin(kPi * Pow(v, 0.78)), 0.85);
    };
    auto edge = [=](double phase) {
        return [=](double u) {
            const double saw = teeth * u + phase - std::floor(teeth * u + phase);
            const double depth = toothDepth * SmoothStep(0.05, 0.25, u) * (1.0 - SmoothStep(0.85, 0.97, u));
            return envelope(u) * (1.0 - depth * (1.0 - saw * saw)) + 0.6;
        };
    };
    const auto left = edge(0.0), right = edge(0.4);
    const ShapeRef body = Polygon(AxialOutline(axis, left, right, 320));
    const auto veins = PinnateVeins(axis, envelope, 7, w * 0.035, 0.12, 0.78, 0.85);
    const Points stalk = Curve(axis.base, {w * 0.49, h * 0.9}, {w * 0.53, h * 0.99});
    return FinishLeaf(width, height, body, LeafBody(axis.base, axis.tip, c, seed, w * 0.22), veins, stalk,
                      w * 0.045, c, seed, 3);
}

// Ginkgo: a fan with a notch in the middle of its outer edge and fine straight veins.
Canvas Ginkgo(int width, int height, const LeafColours& c, uint32_t seed) {
    const double w = width, h = height;
    const Vec2 junction{w * 0.5, h * 0.64};
    const double reach = h * 0.6;
    const double spread = Radians(78.0);
    auto radius = [=](double a) {
        const double wave = 0.025 * Sin(a * 11.0 + 0.7) + 0.015 * Sin(a * 23.0);
        const double notch = 0.24 * Pow(Clamp01(1.0 - std::fabs(a) / 0.12), 1.4);
        const double corner = 0.45 * SmoothStep(spread * 0.72, spread, std::fabs(a));
        return reach * (1.0 + wave - notch - corner);
    };
    Points outline{junction + Vec2{0.0, h * 0.015}};
    const int steps = 240;
    for (int i = 0; i <= steps; ++i) {
        const double a = -spread + 2.0 * spread * i / steps;
        outline.push_back(junction + Vec2{Sin(a), -Cos(a)} * radius(a));
    }
    const ShapeRef body = Offset(Polygon(outline), 0.0);
    std::vector<Vein> veins;
    for (int i = 0; i <= 26; ++i) {
        const double a = -spread * 0.9 + 1.8 * spread * i / 26;
        veins.push_back(
            {{junction, junction + Vec2{Sin(a), -Cos(a)} * (radius(a) * 0.97)}, w * 0.011, w * 0.007});
    }
    const Points stalk = Curve(junction, {w * 0.5, h * 0.82}, {w * 0.46, h * 0.99});
    return FinishLeaf(width, height, body, LeafBody(junction, junction + Vec2{0.0, -reach}, c, seed, w * 0.2),
                      veins, stalk, w * 0.04, c, seed, 2);
}

// Willow: long, narrow and curved.
Canvas Willow(int width, int height, const LeafColours& c, uint32_t seed) {
    const double w = width, h = height;
    const Axis axis{{w * 0.56, h * 0.92}, {w * 0.42, h * 0.01}, 0.07};
    auto half = [=](double u) { return w * 0.3 * Pow(Sin(kPi * Pow(Clamp01(u), 0.85)), 0.9) + 0.4; };
    const ShapeRef body = Polygon(AxialOutline(axis, half, half, 200));
    const auto veins = PinnateVeins(axis, half, 9, w * 0.06, 0.1, 0.85, 0.8);
    const Points stalk = Curve(axis.base, {w * 0.57, h * 0.96}, {w * 0.6, h * 0.995});
    return FinishLeaf(width, height, body, LeafBody(axis.base, axis.tip, c, seed, w * 0.4), veins, stalk,
                      w * 0.08, c, seed, 0);
}

const LeafColours kRedMaple{Hex(0xB8321F), Hex(0xD2461E),       Hex(0xC22A1C), Hex(0xE08A22),
                            0.55,          Hex(0xF0B050, 0.55), Hex(0x6E1410), Hex(0x8A3A1C)};
const LeafColours kOrangeMaple{Hex(0xD9781E), Hex(0xEE9A2A),       Hex(0xE06A1C), Hex(0xC8401A),
                               0.5,           Hex(0xF8D070, 0.55), Hex(0x8A3A10), Hex(0x9A5A22)};
const LeafColours kOak{Hex(0x8E5C26), Hex(0xA86E30),      Hex(0xB4843C), Hex(0x6E6A2A),
                       0.45,          Hex(0xD8B070, 0.5), Hex(0x4E2E12), Hex(0x6A4420)};
const LeafColours kBirch{Hex(0xD8A820), Hex(0xF0C832),      Hex(0xE8B428), Hex(0xB8B830),
                         0.35,          Hex(0xFFF0A0, 0.5), Hex(0x8A6010), Hex(0x7A6A2A)};
const LeafColours kGinkgo{Hex(0xC89A1E), Hex(0xEBC23A),       Hex(0xF6D452), Hex(0xB0A830),
                          0.3,           Hex(0xFFF2B0, 0.35), Hex(0x8C6A14), Hex(0x8A7A3A)};
const LeafColours kWillow{Hex(0x5E7E34), Hex(0x7A9A44),      Hex(0x8AAA52), Hex(0xA8B860),
                          0.3,           Hex(0xD8E8A8, 0.6), Hex(0x34501C), Hex(0x6A7A3A)};
const LeafColours kGreen{Hex(0x3E8A2A), Hex(0x54A236),      Hex(0x6AB43E), Hex(0x8CC450),
                         0.35,          Hex(0xC8EC98, 0.6), Hex(0x1E5214), Hex(0x5A7A2A)};
const LeafColours kLime{Hex(0x78A828), Hex(0x94C238),      Hex(0xA8D048), Hex(0x5E9A2A),
                        0.3,           Hex(0xE4F8A8, 0.6), Hex(0x3E6414), Hex(0x7A8A32)};

}  // namespace

void AddLeaves(Library& library) {
    library.AddSingle(kCategory, "Maple", Maple(128, kRedMaple, 11));
    library.AddSingle(kCategory, "Oak", Oak(80, 128, kOak, 12));
    library.AddSingle(kCategory, "Birch", Toothed(84, 120, 15.0, 0.07, kBirch, 13, 0.02));
    library.AddSingle(kCategory, "Ginkgo", Ginkgo(112, 104, kGinkgo, 14));
    library.AddSingle(kCategory, "Willow", Willow(36, 120, kWillow, 15));
    library.AddSingle(kCategory, "Green Leaf", Toothed(80, 112, 22.0, 0.05, kGreen, 16, -0.03));

    library.AddFolder(kCategory, "Autumn",
                      {{"maple_3", Maple(96, kRedMaple, 21)},
                       {"oak_2", Oak(60, 96, kOak, 22)},
                       {"birch_3", Toothed(64, 92, 14.0, 0.07, kBirch, 23, -0.04)},
                       {"orange maple_2", Maple(80, kOrangeMaple, 24)},
                       {"ginkgo_1", Ginkgo(72, 68, kGinkgo, 25)}});
    library.AddFolder(kCategory, "Spring",
                      {{"leaf_4", Toothed(64, 90, 20.0, 0.05, kGreen, 31, 0.03)},
                       {"willow_3", Willow(28, 96, kWillow, 32)},
                       {"lime_2", Toothed(56, 76, 16.0, 0.06, kLime, 33, -0.05)}});
}

}  // namespace Art
