// Hearts: glossy, flat, outlined, candy and golden.
#include "Drawing.h"
#include "Library.h"

#include <cmath>

namespace Art {
namespace {

const char* const kCategory = "Hearts";

// The heart curve, fitted into a width x height box with a margin.
ShapeRef HeartShape(double width, double height, double margin) {
    Points points;
    for (int i = 0; i < 360; ++i) {
        const double t = 2.0 * kPi * i / 360;
        const double s = Sin(t);
        const double x = 16.0 * s * s * s;
        const double y = -(13.0 * Cos(t) - 5.0 * Cos(2.0 * t) - 2.0 * Cos(3.0 * t) - Cos(4.0 * t));
        // The curve spans x -16..16 and y about -11.8..17.
        points.push_back({width * 0.5 + x / 32.0 * (width - 2.0 * margin),
                          margin + (y + 11.8) / 28.8 * (height - 2.0 * margin)});
    }
    return Polygon(points);
}

Canvas Glossy(int width, int height, const Colour& colour, double gloss) {
    Canvas canvas(width, height);
    const ShapeRef heart = HeartShape(width, height, 1.5);
    const double size = std::min(width, height);
    Lighting light;
    light.strength = size * 0.8;
    light.ambient = 0.5;
    light.diffuse = 0.6;
    light.specular = gloss;
    light.shininess = 30.0;
    canvas.Fill(heart, Raised(canvas, heart, size * 0.3, size * 0.04, Solid(colour), light));
    EdgeTint(canvas, heart, Shade(colour, 0.45), size * 0.06, 0.5);
    // A soft window reflection on the left lobe.
    canvas.Fill(Ellipse({width * 0.3, height * 0.25}, size * 0.1, size * 0.05, -0.7),
                Solid(Hex(0xFFFFFF, 0.7)), Blend::Atop, size * 0.05);
    return canvas;
}

Canvas Flat(int width, int height, const Colour& colour) {
    Canvas canvas(width, height);
    const ShapeRef heart = HeartShape(width, height, 1.0);
    const double size = std::min(width, height);
    canvas.Fill(heart, Linear({0.0, 0.0}, {0.0, static_cast<double>(height)},
                              {{0.0, Shade(colour, 1.08)}, {1.0, Shade(colour, 0.9)}}));
    // A stitched line just inside the edge.
    const ShapeRef stitch = Outline(Offset(heart, -size * 0.1), size * 0.018);
    canvas.Fill(
        stitch,
        [=](const Sample& s) {
            const double a = Atan2(s.p.y - height * 0.5, s.p.x - width * 0.5);
            const double dash = Sin(a * 30.0);
            return WithAlpha(Hex(0xFFFFFF), 0.85 * SmoothStep(-0.2, 0.2, dash));
        },
        Blend::Atop);
    EdgeTint(canvas, heart, Shade(colour, 0.7), size * 0.04, 0.5);
    return canvas;
}

Canvas Ring(int width, int height, const Colour& colour) {
    Canvas canvas(width, height);
    const double size = std::min(width, height);
    const ShapeRef ring = Outline(HeartShape(width, height, size * 0.08), size * 0.065);
    Lighting light;
    light.strength = size * 0.5;
    light.ambient = 0.5;
    light.diffuse = 0.6;
    light.specular = 0.5;
    canvas.Fill(ring, Raised(canvas, ring, size * 0.065, 0.0, Solid(colour), light));
    return canvas;
}

// Chalky sweets: a pillow with a pressed rim and a grainy face.
Canvas Candy(int width, int height, const Colour& colour, uint32_t seed) {
    Canvas canvas(width, height);
    const double size = std::min(width, height);
    const ShapeRef heart = HeartShape(width, height, 1.5);
    auto field = HeightField::FromShape(*heart, width, height, size * 0.12, PillowProfile);
    // The face is pressed in a little inside the rim.
    const ShapeRef face = Offset(heart, -size * 0.14);
    field->AddDetail([=](Vec2 p) { return -0.35 * SmoothStep(1.0, -2.0, face->Distance(p)); });
    field->Blur(size * 0.03);
    Lighting light;
    light.strength = size * 0.35;
    light.ambient = 0.62;
    light.diffuse = 0.45;
    light.specular = 0.1;
    const Paint grain = [=](const Sample& s) {
        return Shade(colour, 0.95 + 0.1 * Fractal(s.p.x / 1.3, s.p.y / 1.3, seed, 2));
    };
    canvas.Fill(heart, Lit(field, grain, light));
    return canvas;
}

}  // namespace

void AddHearts(Library& library) {
    const Colour red = Hex(0xE01C3C), pink = Hex(0xF48CB4), gold = Hex(0xE8B030);
    library.AddSingle(kCategory, "Red Heart", Glossy(80, 72, red, 0.8));
    library.AddSingle(kCategory, "Pink Heart", Flat(64, 58, pink));
    library.AddSingle(kCategory, "Heart Outline", Ring(64, 58, Hex(0xD81848)));
    library.AddSingle(kCategory, "Candy Heart", Candy(64, 58, Hex(0xB8ECD4), 191));
    library.AddSingle(kCategory, "Gold Heart", Glossy(56, 50, gold, 1.0));
    library.AddSingle(kCategory, "Tiny Heart", Glossy(24, 24, red, 0.6));

    library.AddFolder(kCategory, "Valentine",
                      {{"red_3", Glossy(56, 50, red, 0.8)},
                       {"pink_3", Flat(48, 44, pink)},
                       {"outline_2", Ring(48, 44, Hex(0xD81848))},
                       {"tiny_4", Glossy(24, 24, red, 0.6)},
                       {"gold_1", Glossy(40, 36, gold, 1.0)}});
    library.AddFolder(kCategory, "Candy",
                      {{"pink_2", Candy(48, 44, Hex(0xF8B4CC), 201)},
                       {"mint_2", Candy(48, 44, Hex(0xB8ECD4), 202)},
                       {"lilac_2", Candy(48, 44, Hex(0xD4C0F4), 203)},
                       {"lemon_2", Candy(48, 44, Hex(0xFFF0A0), 204)},
                       {"peach_2", Candy(48, 44, Hex(0xFFCCAA), 205)}});
}

}  // namespace Art
