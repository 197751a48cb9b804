// A floating-point RGBA canvas with premultiplied pixels. Shapes are painted with
// coverage taken from their signed distance, which gives anti-aliased and soft edges.
#pragma once

#include "Shapes.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace Art {

// Straight (not premultiplied) colour, channels 0..1.
struct Colour {
    double r = 0.0, g = 0.0, b = 0.0, a = 1.0;
};

Colour Hex(uint32_t rgb, double alpha = 1.0);
Colour Mix(const Colour& c0, const Colour& c1, double t);
Colour WithAlpha(const Colour& c, double alpha);
// Multiplies the colour channels; above 1 lightens, below darkens.
Colour Shade(const Colour& c, double factor);
// Hue in turns (0..1), saturation and value 0..1.
Colour Hsv(double hue, double saturation, double value, double alpha = 1.0);

struct Premul {
    double r = 0.0, g = 0.0, b = 0.0, a = 0.0;
};

// What a paint sees of the pixel it colours: its centre and its distance to the shape.
struct Sample {
    Vec2 p;
    double d;
};
using Paint = std::function<Colour(const Sample&)>;

class Gradient {
public:
    struct Stop {
        double t;
        Colour colour;
    };
    Gradient(std::initializer_list<Stop> initialStops) : stops(initialStops) {}
    Colour At(double t) const;

private:
    std::vector<Stop> stops;
};

Paint Solid(const Colour& c);
Paint Linear(Vec2 from, Vec2 to, Gradient gradient);
Paint Radial(Vec2 centre, double radius, Gradient gradient);
// Colour by the depth inside the shape: 0 at the edge, 1 at `depth` pixels in.
Paint ByDepth(double depth, Gradient gradient);

enum class Blend {
    Over,    // paint over what is there
    Atop,    // paint over, only where something is already, keeping its alpha
    Behind,  // paint under what is there
    Erase,   // remove by the paint's alpha
    Add,     // light: colours add up
};

class Canvas {
public:
    Canvas(int width, int height);

    int Width() const { return width; }
    int Height() const { return height; }
    Vec2 Centre() const { return {width * 0.5, height * 0.5}; }
    const Premul& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    Premul& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }

    // `feather` is the width in pixels over which the edge fades; 1 is a crisp edge.
    void Fill(const Shape& shape, const Paint& paint, Blend blend = Blend::Over, double feather = 1.0,
              double opacity = 1.0);
    void Fill(const ShapeRef& shape, const Paint& paint, Blend blend = Blend::Over, double feather = 1.0,
              double opacity = 1.0) {
        Fill(*shape, paint, blend, feather, opacity);
    }
    // Every pixel, with the distance taken as "deep inside".
    void FillAll(const Paint& paint, Blend blend = Blend::Over);
    void BlendPixel(int x, int y, const Premul& source, Blend blend);

    // Draws `source` through a map from its pixel space into this canvas.
    void Draw(const Canvas& source, const Affine& sourceToHere, double opacity = 1.0,
              Blend blend = Blend::Over);
    // Premultiplied value at a point, bilinear, transparent outside.
    Premul Sample(double x, double y) const;
    Canvas HalfSize() const;
    void Blur(double radius);
    // Rewrites every pixel through a function of its straight colour.
    void Adjust(const std::function<Colour(int x, int y, const Colour&)>& change);
    Colour StraightAt(int x, int y) const;

    // 8-bit straight RGBA rows, top first; fully transparent pixels are all zero.
    std::vector<uint8_t> ToRgba8() const;

private:
    int width, height;
    std::vector<Premul> pixels;
};

}  // namespace Art
