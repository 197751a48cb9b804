// Confetti: curled paper strips, dots, stars, foil flakes and curly streamers.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Confetti";

// A strip of paper, curled along its length: the light comes and goes with the curl.
Canvas Strip(int width, int height, const Colour& colour, double curls, double bend, uint32_t seed) {
    Canvas canvas(width, height);
    const double w = width, h = height;
    Random random(seed);
    const Axis axis{{w * 0.5, h * 0.96}, {w * 0.5, h * 0.04}, bend};
    const double half = w * 0.3;
    auto side = [=](double u) { return half * (0.85 + 0.15 * Cos(kPi * curls * u)) + 0.2; };
    const ShapeRef strip = Offset(Polygon(AxialOutline(axis, side, side, 120)), 0.0);
    const double phase = random.Uniform(0.0, kPi);
    canvas.Fill(strip, Supersampled(
                           [=](const Sample& s) {
                               const double u = Clamp01((axis.base.y - s.p.y) / (axis.base.y - axis.tip.y));
                               const double curl = Cos(kPi * curls * u + phase);
                               return Shade(colour, 0.62 + 0.5 * (0.5 + 0.5 * curl));
                           },
                           2));
    EdgeTint(canvas, strip, Shade(colour, 0.5), 1.2, 0.5);
    return canvas;
}

Canvas Dot(int size, const Colour& colour) {
    Canvas canvas(size, size);
    const Vec2 c = canvas.Centre();
    const ShapeRef dot = Circle(c, size * 0.46);
    Lighting light;
    light.strength = size * 0.25;
    light.ambient = 0.7;
    light.diffuse = 0.4;
    light.specular = 0.35;
    light.shininess = 16.0;
    canvas.Fill(dot, Raised(canvas, dot, size * 0.3, 0.0, Solid(colour), light, PillowProfile));
    EdgeTint(canvas, dot, Shade(colour, 0.55), 1.5, 0.45);
    return canvas;
}

Canvas StarPiece(int size, const Colour& colour, double turn) {
    Canvas canvas(size, size);
    const Vec2 c{size * 0.5, size * 0.53};
    const Points outline = StarPoints(c, 5, size * 0.48, size * 0.21, -kPi / 2.0 + turn);
    const ShapeRef star = Offset(Polygon(outline), 0.3);
    canvas.Fill(star, Linear({0.0, 0.0}, {static_cast<double>(size), static_cast<double>(size)},
                             {{0.0, Shade(colour, 1.25)}, {1.0, Shade(colour, 0.75)}}));
    EdgeTint(canvas, star, Shade(colour, 0.5), 1.2, 0.5);
    return canvas;
}

// A crumpled flake of metal foil: many small tilted facets catching the light.
Canvas Foil(int width, int height, const Colour& light, const Colour& dark, uint32_t seed) {
    Canvas canvas(width, height);
    Random random(seed);
    const double w = width, h = height;
    Points quad;
    for (Vec2 corner : {Vec2{0.08, 0.1}, Vec2{0.92, 0.04}, Vec2{0.95, 0.9}, Vec2{0.05, 0.95}})
        quad.push_back(
            {(corner.x + random.Uniform(-0.04, 0.04)) * w, (corner.y + random.Uniform(-0.04, 0.04)) * h});
    const ShapeRef flake = Polygon(quad);
    auto field = std::make_shared<HeightField>(width, height);
    field->AddDetail([=](Vec2 p) { return Fractal(p.x / 5.0, p.y / 5.0, seed, 3) * 3.0; });
    Lighting lighting;
    lighting.strength = 2.5;
    lighting.ambient = 0.3;
    lighting.diffuse = 0.9;
    lighting.specular = 0.9;
    lighting.shininess = 10.0;
    canvas.Fill(flake, Lit(field, Linear({0.0, 0.0}, {w, h}, {{0.0, light}, {1.0, dark}}), lighting));
    EdgeTint(canvas, flake, Shade(dark, 0.6), 1.2, 0.5);
    return canvas;
}

// A curly ribbon: a wave whose visible width swells and shrinks as it twists.
Canvas Streamer(int width, int height, const Colour& front, const Colour& back, uint32_t seed) {
    Canvas canvas(width, height);
    const double w = width, h = height;
    Random random(seed);
    const double phase = random.Uniform(0.0, kPi);
    const int steps = 200;
    const double waves = 2.5;
    auto centre = [=](double t) {
        return Vec2{w * (0.05 + 0.9 * t), h * 0.5 + h * 0.3 * Sin(2.0 * kPi * waves * t + phase)};
    };
    auto twist = [=](double t) { return Cos(2.0 * kPi * waves * t * 0.7 + phase); };
    Points left, right;
    for (int i = 0; i <= steps; ++i) {
        const double t = static_cast<double>(i) / steps;
        const Vec2 p = centre(t);
        const Vec2 normal = Normalised(Perp(centre(t + 0.001) - centre(t - 0.001)));
        const double half = h * 0.1 * (0.15 + 0.85 * std::fabs(twist(t)));
        left.push_back(p + normal * half);
        right.push_back(p - normal * half);
    }
    Points outline = left;
    outline.insert(outline.end(), right.rbegin(), right.rend());
    const ShapeRef ribbon = Polygon(outline);
    canvas.Fill(ribbon, [=](const Sample& s) {
        const double t = Clamp01((s.p.x / w - 0.05) / 0.9);
        const double k = twist(t);
        return Shade(k >= 0.0 ? front : back, 0.7 + 0.4 * std::fabs(k));
    });
    EdgeTint(canvas, ribbon, Shade(back, 0.5), 1.0, 0.4);
    return canvas;
}

const Colour kRed = Hex(0xE8283C), kBlue = Hex(0x2A6AE8), kYellow = Hex(0xF8C81E), kGreen = Hex(0x2EB85A);
const Colour kPink = Hex(0xF050A8), kCyan = Hex(0x22C4E0), kPurple = Hex(0x8A4AE0), kOrange = Hex(0xF88A1E);
const Colour kMint = Hex(0x9AE8C8), kPeach = Hex(0xFFC0A0), kLilac = Hex(0xD0B0F4), kLemon = Hex(0xFFF09A);
const Colour kBaby = Hex(0xA8D4FF), kRosy = Hex(0xFFB4D0);
const Colour kGoldLight = Hex(0xFFF0A8), kGoldDark = Hex(0xB07818);
const Colour kSilverLight = Hex(0xFFFFFF), kSilverDark = Hex(0x7C8898);

}  // namespace

void AddConfetti(Library& library) {
    library.AddSingle(kCategory, "Paper Strip", Strip(24, 56, kPink, 2.0, 0.12, 121));
    library.AddSingle(kCategory, "Confetti Dot", Dot(28, kCyan));
    library.AddSingle(kCategory, "Star Confetti", StarPiece(32, kYellow, 0.2));
    library.AddSingle(kCategory, "Gold Foil", Foil(36, 40, kGoldLight, kGoldDark, 122));
    library.AddSingle(kCategory, "Streamer", Streamer(120, 56, kBlue, Shade(kBlue, 0.7), 123));

    library.AddFolder(kCategory, "Party",
                      {{"red_3", Strip(24, 48, kRed, 1.5, 0.1, 131)},
                       {"blue_3", Strip(24, 52, kBlue, 2.0, -0.12, 132)},
                       {"yellow_3", Strip(24, 44, kYellow, 1.2, 0.15, 133)},
                       {"green_3", Strip(24, 50, kGreen, 1.8, -0.08, 134)},
                       {"purple_2", Strip(24, 46, kPurple, 1.4, 0.1, 135)},
                       {"orange_2", Strip(24, 40, kOrange, 1.1, -0.1, 136)},
                       {"dot_2", Dot(24, kPink)},
                       {"cyan dot_2", Dot(24, kCyan)},
                       {"star_1", StarPiece(28, kYellow, -0.3)},
                       {"streamer_1", Streamer(96, 44, kRed, Shade(kRed, 0.7), 137)}});
    library.AddFolder(kCategory, "Pastel",
                      {{"mint_3", Strip(24, 46, kMint, 1.6, 0.1, 141)},
                       {"peach_3", Strip(24, 50, kPeach, 2.0, -0.1, 142)},
                       {"lilac_3", Strip(24, 44, kLilac, 1.3, 0.12, 143)},
                       {"lemon_2", Strip(24, 40, kLemon, 1.0, -0.14, 144)},
                       {"baby_2", Dot(24, kBaby)},
                       {"rosy_2", Dot(26, kRosy)}});
    library.AddFolder(kCategory, "Gold and Silver",
                      {{"gold_3", Foil(32, 36, kGoldLight, kGoldDark, 151)},
                       {"silver_3", Foil(34, 32, kSilverLight, kSilverDark, 152)},
                       {"gold strip_2", Strip(24, 52, Hex(0xE8B830), 2.2, 0.1, 153)},
                       {"silver strip_2", Strip(24, 48, Hex(0xC8D0DC), 1.8, -0.1, 154)},
                       {"star_1", StarPiece(30, Hex(0xF0C040), 0.1)}});
}

}  // namespace Art
