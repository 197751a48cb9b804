// Stones and pebbles: smooth stones of several rocks, and frosted sea glass.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Stones and Pebbles";

enum class Rock { Plain, Banded, Speckled, Layered };

struct Stone {
    Colour light, dark;  // the two tones of the mottling
    Rock rock;
    Colour feature;  // vein, speckles or layers
    double wobble;
    double gloss;
};

Canvas Pebble(int width, int height, const Stone& stone, uint32_t seed) {
    Canvas canvas(width, height);
    Random random(seed);
    const double w = width, h = height;
    const Vec2 c{w * 0.48, h * 0.47};
    const double rx = w * 0.44, ry = h * 0.42;
    const ShapeRef body = Polygon(Blob(c, rx, ry, stone.wobble, seed, random.Uniform(-0.2, 0.2)));
    canvas.Fill(Transformed(body, Affine::Translate({w * 0.03, h * 0.05})), Solid(Hex(0x1A140E, 0.35)),
                Blend::Over, std::min(w, h) * 0.08);

    const double grain = std::min(w, h);
    const double bandAngle = random.Uniform(-0.8, 0.8);
    const Vec2 across = Polar(bandAngle + kPi / 2.0);
    Paint base = [=](const Sample& s) {
        const double n = Fractal(s.p.x / (grain * 0.3), s.p.y / (grain * 0.3), seed, 4);
        const double fine = Fractal(s.p.x / 1.5, s.p.y / 1.5, seed + 5u, 2);
        Colour col = Mix(stone.dark, stone.light, SmoothStep(0.25, 0.75, n));
        const double v = Dot(s.p - c, across) + (n - 0.5) * grain * 0.25;
        switch (stone.rock) {
            case Rock::Banded:
                col = Mix(col, stone.feature,
                          1.0 - SmoothStep(grain * 0.05, grain * 0.08, std::fabs(v - grain * 0.05)));
                break;
            case Rock::Layered:
                col = Mix(col, stone.feature, 0.5 + 0.5 * Sin(v / (grain * 0.045)));
                break;
            default:
                break;
        }
        return Shade(col, 0.9 + 0.2 * fine);
    };
    Lighting light;
    light.strength = grain * 0.9;
    light.ambient = 0.42;
    light.diffuse = 0.75;
    light.specular = stone.gloss;
    light.shininess = 18.0;
    auto field = HeightField::FromShape(*body, width, height, grain * 0.45, DomeProfile);
    field->Blur(grain * 0.06);
    field->AddDetail([=](Vec2 p) { return 0.02 * Fractal(p.x / 3.0, p.y / 3.0, seed + 9u, 2); });
    canvas.Fill(body, Lit(field, base, light));
    if (stone.rock == Rock::Speckled) {
        Speckle(canvas, Offset(body, -1.0), random, static_cast<int>(w * h / 30.0), 0.5, 1.3, stone.feature,
                0.9);
        Speckle(canvas, Offset(body, -1.0), random, static_cast<int>(w * h / 60.0), 0.5, 1.1, Hex(0xF4F0EA),
                0.8);
    }
    EdgeTint(canvas, body, Shade(stone.dark, 0.5), grain * 0.08, 0.35);
    return canvas;
}

// Glass worn by the sea: rounded corners, frosted, brighter and denser at its edges.
Canvas SeaGlass(int width, int height, const Colour& tint, uint32_t seed) {
    Canvas canvas(width, height);
    Random random(seed);
    const double w = width, h = height;
    const Vec2 c = canvas.Centre();
    Points corners;
    const int n = 6;
    const double turn = random.Uniform(0.0, kPi);
    for (int i = 0; i < n; ++i) {
        const double a = turn + 2.0 * kPi * (i + random.Uniform(-0.2, 0.2)) / n;
        corners.push_back(c + Vec2{Cos(a) * w * 0.36 * random.Uniform(0.8, 1.0),
                                   Sin(a) * h * 0.36 * random.Uniform(0.8, 1.0)});
    }
    const double round = std::min(w, h) * 0.08;
    const ShapeRef glass = Offset(Polygon(corners), round);
    canvas.Fill(glass, [=](const Sample& s) {
        const double edge = 1.0 - SmoothStep(0.0, std::min(w, h) * 0.2, -s.d);
        const double frost = Fractal(s.p.x / 1.8, s.p.y / 1.8, seed, 2);
        const Colour col = Mix(tint, Hex(0xFFFFFF), 0.25 + 0.35 * edge + 0.15 * frost);
        return WithAlpha(col, std::min(1.0, 0.62 + 0.5 * edge));
    });
    canvas.Fill(Ellipse(c + Vec2{-w * 0.12, -h * 0.14}, w * 0.16, h * 0.05, -0.6), Solid(Hex(0xFFFFFF, 0.6)),
                Blend::Atop, 3.0);
    return canvas;
}

const Stone kGrey{Hex(0xB4B0A8), Hex(0x7A766E), Rock::Plain, {}, 0.05, 0.15};
const Stone kSlate{Hex(0x5E6670), Hex(0x363C44), Rock::Banded, Hex(0xF2F0EA), 0.06, 0.3};
const Stone kGranite{Hex(0xD8B8A8), Hex(0xA88C80), Rock::Speckled, Hex(0x2A2420), 0.04, 0.2};
const Stone kSandstone{Hex(0xE0B878), Hex(0xB07C44), Rock::Layered, Hex(0xC89058), 0.07, 0.08};
const Stone kWhite{Hex(0xF2EEE6), Hex(0xC8C2B6), Rock::Plain, {}, 0.05, 0.2};
const Stone kDark{Hex(0x4E4A46), Hex(0x2A2826), Rock::Plain, {}, 0.06, 0.35};
const Stone kBrown{Hex(0xA88462), Hex(0x6E5238), Rock::Plain, {}, 0.07, 0.15};
const Stone kRusty{Hex(0xC07850), Hex(0x7E4A30), Rock::Layered, Hex(0x9A5E3C), 0.06, 0.12};

}  // namespace

void AddStones(Library& library) {
    library.AddSingle(kCategory, "Pebble", Pebble(80, 64, kGrey, 161));
    library.AddSingle(kCategory, "River Stone", Pebble(96, 72, kSlate, 162));
    library.AddSingle(kCategory, "Granite", Pebble(72, 72, kGranite, 163));
    library.AddSingle(kCategory, "Sandstone", Pebble(88, 64, kSandstone, 164));
    library.AddSingle(kCategory, "Sea Glass", SeaGlass(56, 48, Hex(0x58B890), 165));

    library.AddFolder(kCategory, "Beach",
                      {{"grey_3", Pebble(64, 52, kGrey, 171)},
                       {"white_2", Pebble(52, 44, kWhite, 172)},
                       {"dark_2", Pebble(56, 48, kDark, 173)},
                       {"sandstone_2", Pebble(60, 44, kSandstone, 174)},
                       {"banded_1", Pebble(68, 52, kSlate, 175)},
                       {"green glass_1", SeaGlass(40, 36, Hex(0x58B890), 176)},
                       {"blue glass_1", SeaGlass(36, 32, Hex(0x5090D0), 177)}});
    library.AddFolder(kCategory, "Gravel",
                      {{"grey_4", Pebble(32, 28, kGrey, 181)},
                       {"brown_3", Pebble(28, 24, kBrown, 182)},
                       {"dark_3", Pebble(30, 26, kDark, 183)},
                       {"rust_2", Pebble(26, 24, kRusty, 184)},
                       {"white_2", Pebble(24, 24, kWhite, 185)}});
}

}  // namespace Art
