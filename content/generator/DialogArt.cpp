// The effect dialog's look: a quiet cool-grey skin in the colours of the controls'
// scheme (face 201, 206, 207), a header with the wordmark and a spray of small scattered
// shapes, and a recessed well behind the two previews; plus the 16 x 16 zoom and locator
// button pictures.
//
// The skin is the dialog's client area at its template font: 497 x 569 pixels, dialog
// units scaled by 3/2 across and 13/8 down. A system whose font of that name is a pixel
// lower makes the dialog 525 pixels high and moves everything below the header up by up
// to 44 pixels, so nothing below the previews' top is tied to a control's place: the
// well's lower edge lies under the page area either way, and the body only darkens
// gently towards the bottom. The background is opaque RGB; everything that sits on it
// (wordmark, scatter, well, engraved line) is the RGBA overlay. Both are drawn again at
// twice the size ("@2x"), from which the dialog takes every larger display scale.
#include "Drawing.h"
#include "Library.h"

#include <algorithm>
#include <cmath>

namespace Art {
namespace {

constexpr int kSkinWidth = 497, kSkinHeight = 569;

// Dialog units of the main template to pixels of the skin.
double DluX(double x) { return x * 1.5; }
double DluY(double y) { return y * 1.625; }

// Where the template puts the previews and the zoom strip (see the resource script): the
// well reaches from under the header to under the page area's top.
// The plug-in knows this box rounded inward (DialogSkin::kPanel) to test its controls against it.
const Box kWell = {DluX(7) - 3.0, 66.0, DluX(7 + 316) + 4.0, DluY(161) - 5.0};

const Colour kInk = Hex(0x34444C);

// k: pixels of the picture per pixel of the 96-dpi skin; the skin is drawn at 1 and 2, the
// dialog resamples the larger one to any other scale.
int Scaled(int size, double k) { return int(std::lround(size * k)); }

Canvas Background(double k) {
    Canvas canvas(Scaled(kSkinWidth, k), Scaled(kSkinHeight, k));
    const Gradient body({{0.0, Hex(0xE3E8E9)},
                         {0.12, Hex(0xD6DCDD)},
                         {0.45, Hex(0xCACFD0)},
                         {0.8, Hex(0xC4CACB)},
                         {1.0, Hex(0xB9C0C2)}});
    canvas.FillAll([&](const Sample& sample) {
        const Vec2 p = {sample.p.x / k, sample.p.y / k};
        const double t = p.y / kSkinHeight;
        // A faint diagonal sheen and a paper grain keep the grey from looking flat.
        const double sheen = 0.012 * Sin((p.x * 0.8 - p.y) / kSkinWidth * kPi);
        const double grain = Fractal(sample.p.x / 1.7, sample.p.y / 1.7, 3016u, 2) - 0.5;
        const double cloud = Fractal(p.x / 90.0, p.y / 90.0, 3017u, 3) - 0.5;
        return Shade(body.At(t), 1.0 + sheen + 0.018 * grain + 0.02 * cloud);
    });
    return canvas;
}

// --- the wordmark: a round geometric hand, strokes in a unit box with the cap height 1
// and the baseline at y = 1, x-height 0.62.

struct Glyph {
    std::vector<Points> strokes;
    double advance;
};

Points Arc(Vec2 centre, double radius, double from, double to, int steps = 48) {
    Points points;
    for (int i = 0; i <= steps; ++i)
        points.push_back(centre + Polar(Lerp(from, to, double(i) / steps), radius));
    return points;
}

std::vector<Glyph> WordmarkGlyphs() {
    const double x = 0.38;  // top of the lower-case letters
    const double r = 0.31;  // radius of the bowls
    const Vec2 bowl = {r, 1.0 - r};
    return {
        {{{{0.0, 0.0}, {0.36, 1.0}, {0.72, 0.0}}}, 0.78},
        {{Arc(bowl, r, 0.0, 2.0 * kPi, 64), {{2.0 * r, x + 0.02}, {2.0 * r, 1.0}}}, 2.0 * r + 0.2},
        {{{{0.0, x + 0.02}, {0.0, 1.0}},
          PathBuilder({0.0, 0.66}).CubicTo({0.02, 0.45}, {0.12, x}, {0.28, x}).Get()},
         0.5},
        {{{{0.0, x + 0.02}, {0.0, 1.0}},
          PathBuilder({0.0, 0.66})
              .CubicTo({0.03, 0.42}, {0.2, x}, {0.3, x})
              .CubicTo({0.48, x}, {0.56, 0.46}, {0.56, 0.62})
              .LineTo({0.56, 1.0})
              .Get()},
         0.76},
        {{{{0.03, 1.0 - r}, {2.0 * r - 0.02, 1.0 - r}}, Arc(bowl, r, 0.0, -1.72 * kPi, 64)}, 2.0 * r + 0.2},
        {{{{0.0, -0.02}, {0.0, 1.0}}}, 0.2},
    };
}

void Wordmark(Canvas& canvas, Vec2 origin, double capHeight) {
    const double weight = capHeight * 0.13;
    double pen = 0.0;
    std::vector<ShapeRef> strokes;
    for (const Glyph& glyph : WordmarkGlyphs()) {
        const Affine map = Affine::Translate({origin.x + pen * capHeight, origin.y})
                               .After(Affine::Scale(capHeight, capHeight));
        for (const Points& stroke : glyph.strokes) strokes.push_back(Stroke(MapPoints(stroke, map), weight));
        pen += glyph.advance;
    }
    const ShapeRef word = UnionAll(strokes);
    // Pressed lightly into the header: a white lip below, the ink on top.
    canvas.Fill(Transformed(word, Affine::Translate({0.0, capHeight / 28.0})), Solid(Hex(0xFFFFFF, 0.75)));
    canvas.Fill(word, Linear({0, origin.y}, {0, origin.y + capHeight},
                             Gradient({{0.0, Hex(0x4A5D66)}, {1.0, kInk}})));
}

// --- small scattered shapes, the effect's own idea, drifting in from the right.

ShapeRef Leaf(Vec2 centre, double length, double angle) {
    const Vec2 along = Polar(angle, length * 0.5);
    const Axis axis{centre - along, centre + along, 0.08};
    auto half = [length](double u) { return length * 0.22 * std::sqrt(std::max(0.0, Sin(kPi * u))); };
    return Polygon(AxialOutline(axis, half, half, 48));
}

void Scatter(Canvas& canvas, const Box& area, uint32_t seed, double k) {
    const Colour tints[] = {Hex(0x7E9C8E), Hex(0x8FA6B8), Hex(0xB8A47A), Hex(0x9AAFB0), Hex(0x6F8A98)};
    Random random(seed);
    const double width = area.x1 - area.x0, height = area.y1 - area.y0;
    Canvas layer(canvas.Width(), canvas.Height());
    for (int i = 0; i < 90; ++i) {
        // Denser and larger towards the right edge.
        const double u = std::sqrt(random.Uniform());
        const Vec2 p = {area.x0 + u * width, area.y0 + random.Uniform() * height};
        const double size = k * (3.0 + 7.5 * u * random.Uniform(0.5, 1.0));
        const double angle = random.Uniform(0.0, 2.0 * kPi);
        const Colour tint = tints[random.Below(5)];
        const double alpha = 0.18 + 0.5 * u * random.Uniform(0.6, 1.0);
        ShapeRef shape;
        switch (random.Below(3)) {
            case 0:
                shape = Leaf(p, size * 1.6, angle);
                break;
            case 1:
                shape = Circle(p, size * 0.42);
                break;
            default:
                shape = Polygon(StarPoints(p, 5, size * 0.62, size * 0.27, angle));
                break;
        }
        layer.Fill(shape, Solid(tint), Blend::Over, 1.0, alpha);
    }
    // Fade out to the left so the wordmark keeps clear space.
    layer.Adjust([&](int x, int, const Colour& c) {
        return WithAlpha(c, c.a * SmoothStep(area.x0, area.x0 + width * 0.45, x + 0.5));
    });
    canvas.Draw(layer, Affine());
}

// A shallow recessed panel: darker inside, shaded along the top and left, lit along the
// bottom and right.
void Well(Canvas& canvas, const Box& box, double radius, double k) {
    const Vec2 centre = {(box.x0 + box.x1) * 0.5, (box.y0 + box.y1) * 0.5};
    const Vec2 half = {(box.x1 - box.x0) * 0.5, (box.y1 - box.y0) * 0.5};
    const ShapeRef panel = RoundedRect(centre, half, radius);
    canvas.Fill(
        panel,
        Linear(
            {0, box.y0}, {0, box.y1},
            Gradient({{0.0, Hex(0x5A6C72, 0.16)}, {0.3, Hex(0x5A6C72, 0.09)}, {1.0, Hex(0x5A6C72, 0.06)}})));
    Canvas inner(canvas.Width(), canvas.Height());
    inner.Fill(Outline(panel, 2.5 * k), Solid(Hex(0x2E4046)), Blend::Over, 1.0, 0.35);
    inner.Blur(2.0 * k);
    inner.Adjust([&](int x, int y, const Colour& c) {
        // Only the upper and left inside edges carry the shade.
        const double fromTop = (y + 0.5 - box.y0) / (box.y1 - box.y0);
        const double fromLeft = (x + 0.5 - box.x0) / (box.x1 - box.x0);
        return WithAlpha(
            c, c.a * std::max(1.0 - SmoothStep(0.0, 0.08, fromTop), 1.0 - SmoothStep(0.0, 0.02, fromLeft)));
    });
    inner.Fill(Subtract(Offset(panel, 10.0 * k), panel), Solid(Hex(0)), Blend::Erase);
    canvas.Draw(inner, Affine());
    canvas.Fill(Outline(panel, 0.5 * k), Solid(Hex(0x8595A0)), Blend::Over, 1.0, 0.7);
    // The lit lip just outside the lower and right edges.
    Canvas lip(canvas.Width(), canvas.Height());
    lip.Fill(Outline(Offset(panel, 1.0 * k), 0.5 * k), Solid(Hex(0xFFFFFF)), Blend::Over, 1.0, 0.85);
    lip.Adjust([&](int x, int y, const Colour& c) {
        const double lower = SmoothStep(centre.y, box.y1, y + 0.5),
                     right = SmoothStep(centre.x, box.x1, x + 0.5);
        return WithAlpha(c, c.a * std::max(lower, right));
    });
    canvas.Draw(lip, Affine());
}

Box ScaledBox(const Box& b, double k) { return {b.x0 * k, b.y0 * k, b.x1 * k, b.y1 * k}; }

Canvas Overlay(double k) {
    Canvas canvas(Scaled(kSkinWidth, k), Scaled(kSkinHeight, k));
    // Header: a light band that fades into the body above the previews.
    canvas.FillAll(
        [k](const Sample& s) { return Hex(0xFFFFFF, 0.35 * (1.0 - SmoothStep(10.0, kWell.y0, s.p.y / k))); });
    Scatter(canvas, ScaledBox({170.0, 6.0, kSkinWidth - 6.0, kWell.y0 - 6.0}, k), 7u, k);
    // Emblem: three leaves fanned from one point, left of the wordmark.
    const Vec2 stem = {30.0 * k, 52.0 * k};
    const Colour leafTints[] = {Hex(0x5F8A78), Hex(0x7A9DB0), Hex(0xB49A62)};
    for (int i = 0; i < 3; ++i) {
        const double angle = -kPi / 2.0 + (i - 1) * 0.62;
        canvas.Fill(Leaf(stem + Polar(angle, 11.0 * k), 20.0 * k, angle), Solid(leafTints[i]), Blend::Over,
                    1.0, 0.9);
    }
    Wordmark(canvas, {50.0 * k, 22.0 * k}, 28.0 * k);
    Well(canvas, ScaledBox(kWell, k), 6.0 * k, k);
    return canvas;
}

// --- button pictures. The button recolours them: near-white becomes the scheme's
// highlight, RGB(192, 192, 192) its face and RGB(128, 128, 128) its shadow, so they are
// drawn on 192 grey with a 128 grey shadow.

const Colour kButtonGrey = Hex(0xC0C0C0);

Canvas Magnifier(bool plus) {
    Canvas canvas(16, 16);
    canvas.FillAll(Solid(kButtonGrey));
    const Vec2 lens = {6.5, 6.5};
    // Handle first, the lens ring over its end.
    canvas.Fill(Stroke({{10.2, 10.2}, {14.0, 14.0}}, 2.8), Solid(Hex(0x808080)), Blend::Over);
    canvas.Fill(Stroke({{10.0, 10.0}, {13.6, 13.6}}, 2.6), Solid(Hex(0x3C4B55)));
    canvas.Fill(Circle(lens, 4.1),
                Radial({5.2, 5.0}, 5.0, Gradient({{0.0, Hex(0xFFFFFF)}, {1.0, Hex(0xCFE3F2)}})));
    canvas.Fill(Outline(Circle(lens, 4.6), 0.85), Solid(Hex(0x2F3E48)));
    // Sign on the pixel grid, so that it stays crisp at this size.
    const Colour sign = Hex(0x1E5A8C);
    canvas.Fill(RoundedRect(lens, {2.5, 0.5}, 0.0), Solid(sign));
    if (plus) canvas.Fill(RoundedRect(lens, {0.5, 2.5}, 0.0), Solid(sign));
    return canvas;
}

// The locator: a picture with a framed part of it, in the sixteen standard colours.
Canvas Locator() {
    // g grey frame of the picture, w paper, t teal land, n navy view frame, k its centre mark.
    static const char* const rows[16] = {
        "................",  //
        ".gggggggggggggg.",  //
        ".gwwwwwwwwwwwwg.",  //
        ".gwwwwwwwwwwwwg.",  //
        ".gwwnnnnnnnwwwg.",  //
        ".gwwnwwwwwnwwwg.",  //
        ".gwwnwwkwwnwwwg.",  //
        ".gwwnwkkkwnwwwg.",  //
        ".gwwnwwkwwnwtwg.",  //
        ".gwwnwwwwwnttwg.",  //
        ".gwtnnnnnnntttg.",  //
        ".gttttttttttttg.",  //
        ".gttttttttttttg.",  //
        ".gggggggggggggg.",  //
        "................",  //
        "................",  //
    };
    Canvas canvas(16, 16);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            uint32_t colour = 0xC0C0C0;
            switch (rows[y][x]) {
                case 'g':
                    colour = 0x808080;
                    break;
                case 'w':
                    colour = 0xFFFFFF;
                    break;
                case 'n':
                    colour = 0x000080;
                    break;
                case 'k':
                    colour = 0x000000;
                    break;
                case 't':
                    colour = 0x008080;
                    break;
                default:
                    break;
            }
            const Colour c = Hex(colour);
            canvas.At(x, y) = {c.r, c.g, c.b, 1.0};
        }
    }
    return canvas;
}

}  // namespace

void AddDialogArtwork(Library& library) {
    library.Add("dialog/Background.png", Background(1.0), FileFormat::PngRgb);
    library.Add("dialog/Overlay.png", Overlay(1.0), FileFormat::PngRgba);
    library.Add("dialog/Background@2x.png", Background(2.0), FileFormat::PngRgb);
    library.Add("dialog/Overlay@2x.png", Overlay(2.0), FileFormat::PngRgba);
    library.Add("dialog/ZoomIn.bmp", Magnifier(true), FileFormat::Bmp24);
    library.Add("dialog/ZoomOut.bmp", Magnifier(false), FileFormat::Bmp24);
    library.Add("dialog/Locator.bmp", Locator(), FileFormat::Bmp4);
}

}  // namespace Art
