// The small pictures on the dialog's pages, drawn on the pages' face colour so that they
// sit in the skin: the density strip above the density slider (sparse dots to dense),
// the texture strip above the texture slider (smooth to strongly embossed), and the
// empty and full glass at the ends of the opacity slider. All opaque 24-bit bitmaps.
#include "Drawing.h"
#include "Library.h"

#include <algorithm>
#include <vector>

namespace Art {
namespace {

constexpr int kStripWidth = 104, kStripHeight = 14;

// The controls' colour scheme: face, highlight, shadow, dark shadow.
const Colour kFace = Hex(0xC9CECF);
const Colour kHighlight = Hex(0xF0F5F6);
const Colour kShadow = Hex(0x92A3A5);
const Colour kInk = Hex(0x34444C);

// A shallow inset band the strips are drawn into: a little lighter than the face, shaded
// along its top and left, lit along its bottom and right.
Canvas StripBase(const Colour& inside) {
    Canvas canvas(kStripWidth, kStripHeight);
    canvas.FillAll(Solid(kFace));
    const Vec2 centre = {kStripWidth * 0.5, kStripHeight * 0.5};
    const ShapeRef band = RoundedRect(centre, {kStripWidth * 0.5 - 0.5, kStripHeight * 0.5 - 0.5}, 2.5);
    canvas.Fill(band, Solid(inside));
    canvas.Fill(Transformed(Outline(band, 0.45), Affine::Translate({-0.5, -0.5})), Solid(kShadow),
                Blend::Over, 1.0, 0.9);
    canvas.Fill(Transformed(Outline(band, 0.45), Affine::Translate({0.5, 0.5})), Solid(kHighlight),
                Blend::Over, 1.0, 0.9);
    return canvas;
}

// Dots thrown at random and kept apart by a distance that shrinks from left to right.
Canvas DensityStrip() {
    Canvas canvas = StripBase(Hex(0xDCE2E3));
    const Colour tints[] = {kInk, Hex(0x4F6E7C), Hex(0x5F8A78)};
    Random random(3012u);
    std::vector<Vec2> dots;
    for (int attempt = 0; attempt < 4000; ++attempt) {
        const Vec2 p = {random.Uniform(3.0, kStripWidth - 3.0), random.Uniform(3.0, kStripHeight - 3.0)};
        const double t = (p.x - 3.0) / (kStripWidth - 6.0);
        const double apart = Lerp(9.0, 2.1, Pow(t, 0.6));
        const bool crowded = std::any_of(dots.begin(), dots.end(), [&](const Vec2& q) {
            const double dx = q.x - p.x, dy = q.y - p.y;
            return dx * dx + dy * dy < apart * apart;
        });
        if (!crowded) dots.push_back(p);
    }
    for (const Vec2& p : dots) {
        const double t = p.x / kStripWidth;
        canvas.Fill(Circle(p, Lerp(1.2, 0.85, t)), Solid(tints[random.Below(3)]), Blend::Over, 1.0,
                    Lerp(0.75, 0.95, t));
    }
    return canvas;
}

// An embossed grain whose depth grows from nothing at the left to strong at the right.
Canvas TextureStrip() {
    Canvas canvas = StripBase(Hex(0xD3D9DA));
    const auto height = [](double x, double y) {
        return Fractal(x / 3.0, y / 3.0, 3013u, 3) + 0.6 * Fractal(x / 7.0, y / 7.0, 3014u, 2);
    };
    canvas.Adjust([&](int x, int y, const Colour& c) {
        if (x < 2 || y < 2 || x >= kStripWidth - 2 || y >= kStripHeight - 2) return c;
        const double px = x + 0.5, py = y + 0.5;
        const double slope = height(px - 0.7, py - 0.7) - height(px + 0.7, py + 0.7);
        const double depth = Pow(SmoothStep(4.0, kStripWidth - 4.0, px), 1.2);
        return Shade(c, 1.0 + 1.1 * depth * slope);
    });
    return canvas;
}

// A tumbler, a little narrower at its foot: empty, or filled with a deep blue.
Canvas Glass(bool full) {
    Canvas canvas(16, 16);
    canvas.FillAll(Solid(kFace));
    const Points body = {{3.2, 2.0}, {12.8, 2.0}, {11.7, 14.2}, {4.3, 14.2}};
    const ShapeRef glass = Polygon(body);
    canvas.Fill(glass, Linear({3, 0}, {13, 0}, Gradient({{0.0, Hex(0xEEF4F5)}, {1.0, Hex(0xD7E0E2)}})),
                Blend::Over, 1.0, 0.85);
    if (full) {
        const ShapeRef liquid =
            Intersect(glass, Polygon({{0.0, 4.6}, {16.0, 4.6}, {16.0, 16.0}, {0.0, 16.0}}));
        canvas.Fill(liquid,
                    Linear({0, 4.6}, {0, 14.2}, Gradient({{0.0, Hex(0x4C8DB5)}, {1.0, Hex(0x245678)}})));
        canvas.Fill(Stroke({{3.9, 4.9}, {12.1, 4.9}}, 0.9), Solid(Hex(0x9CC8E0)), Blend::Over, 1.0, 0.9);
    }
    // The heavier foot, the rim, and a glint down the left side.
    canvas.Fill(Polygon({{4.2, 12.9}, {11.8, 12.9}, {11.7, 14.2}, {4.3, 14.2}}), Solid(Hex(0x7C9299)),
                Blend::Over, 1.0, full ? 0.55 : 0.8);
    canvas.Fill(Outline(glass, 0.45), Solid(Hex(0x4A5F68)));
    canvas.Fill(Stroke({{4.9, 3.3}, {5.6, 11.6}}, 0.8), Solid(Hex(0xFFFFFF)), Blend::Over, 1.0,
                full ? 0.55 : 0.9);
    return canvas;
}

}  // namespace

void AddPageArtwork(Library& library) {
    library.Add("dialog/DensityStrip.bmp", DensityStrip(), FileFormat::Bmp24);
    library.Add("dialog/TextureStrip.bmp", TextureStrip(), FileFormat::Bmp24);
    library.Add("dialog/GlassEmpty.bmp", Glass(false), FileFormat::Bmp24);
    library.Add("dialog/GlassFull.bmp", Glass(true), FileFormat::Bmp24);
}

}  // namespace Art
