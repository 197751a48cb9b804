// Pictures for the help pages: small scenes showing what the settings do. The
// scattering here is a simple stand-in for the plug-in's own placement, enough to
// show the idea of each setting side by side.
#include "Drawing.h"
#include "Library.h"

#include <algorithm>
#include <cmath>

namespace Art {
namespace {

const int kPanelWidth = 150, kPanelHeight = 112, kGap = 8;

enum class Scene { Meadow, Night, Wall, Water };

Canvas Background(Scene scene, int width, int height, uint32_t seed) {
    Canvas canvas(width, height);
    const double w = width, h = height;
    switch (scene) {
        case Scene::Meadow:
            canvas.FillAll([=](const Sample& s) {
                const double y = s.p.y / h;
                const double hill = 0.42 + 0.06 * Sin(s.p.x / w * 5.0 + 1.0) + 0.03 * Sin(s.p.x / w * 13.0);
                const double n = Fractal(s.p.x / 14.0, s.p.y / 6.0, seed, 3);
                if (y < hill - 0.08) return Mix(Hex(0x7EB4E8), Hex(0xDCEBF6), y / hill);
                if (y < hill) return Mix(Hex(0x6C9A8A), Hex(0x88AE94), n);
                return Shade(Mix(Hex(0x7DB04A), Hex(0x4E8A2E), (y - hill) / (1.0 - hill)), 0.9 + 0.2 * n);
            });
            break;
        case Scene::Night:
            canvas.FillAll([=](const Sample& s) {
                const double n = Fractal(s.p.x / 30.0, s.p.y / 30.0, seed, 3);
                return Mix(Hex(0x0C1430), Hex(0x2A3C6C), s.p.y / h * 0.8 + 0.2 * n);
            });
            break;
        case Scene::Wall:
            canvas.FillAll([=](const Sample& s) {
                const double n = Fractal(s.p.x / 9.0, s.p.y / 9.0, seed, 4);
                return Shade(Mix(Hex(0xD8C4A4), Hex(0xC4A880), s.p.x / w * 0.5 + 0.3 * n), 0.92 + 0.12 * n);
            });
            break;
        case Scene::Water:
            canvas.FillAll([=](const Sample& s) {
                const double n = Fractal(s.p.x / 24.0, s.p.y / 8.0, seed, 3);
                return Mix(Hex(0x2A6E8E), Hex(0x6AB0C8), 0.6 * s.p.y / h + 0.4 * n);
            });
            break;
    }
    return canvas;
}

struct Scatter {
    int count = 20;
    double scale = 1.0;
    double randomScale = 1.0;  // ratio between the largest and the mean scale
    double angle = 0.0;        // degrees
    double randomAngle = 0.0;  // degrees either side
    bool orderByDepth = false, fade = false, desaturate = false;
    bool noOverlap = false;
    bool wholeOnly = false;  // inside `selection`
    Box selection{0, 0, 0, 0};
    bool clipToSelection = false;
    double opacity = 1.0;
    bool texture = false;
    double textureAmount = 1.0;
    uint32_t seed = 1;
    // Per-copy variation: hue turned up to this many turns either way, value up to this
    // share either way, opacity lowered by up to this share, mirrored at random; copies
    // multiplied into the picture instead of painted over it.
    double hueJitter = 0.0, brightnessJitter = 0.0, opacityJitter = 0.0;
    bool flip = false;
    bool multiply = false;
    // Guides: more copies where the picture is dark; copies spread evenly apart.
    bool denserWhereDark = false;
    bool even = false;
};

struct Copy {
    Vec2 centre;
    double scale, angle, nearness;  // nearness 0 far .. 1 near
    size_t object;
};

// The distance from p to the nearest copy placed so far.
double Clearance(const std::vector<Copy>& copies, Vec2 p) {
    double best = 1e9;
    for (const Copy& c : copies) best = std::min(best, Length(c.centre - p));
    return best;
}

std::vector<Copy> Place(const std::vector<Canvas>& objects, const Scatter& s, const Canvas& picture) {
    const double width = picture.Width(), height = picture.Height();
    Random random(s.seed);
    // The guides draw from a generator of their own, so that pictures without them stay.
    Random guide(s.seed * 977u + 5u);
    std::vector<Copy> copies;
    for (int attempt = 0; attempt < s.count * 30 && static_cast<int>(copies.size()) < s.count; ++attempt) {
        Copy c;
        c.object = static_cast<size_t>(random.Below(static_cast<int>(objects.size())));
        c.centre = {random.Uniform(-10.0, width + 10.0), random.Uniform(-10.0, height + 10.0)};
        const double u = random.Uniform(-1.0, 1.0);
        c.scale = s.scale * Pow(s.randomScale, u);
        c.nearness = s.randomScale > 1.0 ? (u + 1.0) * 0.5 : 1.0;
        c.angle = Radians(s.angle + s.randomAngle * random.Uniform(-1.0, 1.0));
        if (s.even) {
            for (int k = 0; k < 9; ++k) {
                const Vec2 other{guide.Uniform(-10.0, width + 10.0), guide.Uniform(-10.0, height + 10.0)};
                if (Clearance(copies, other) > Clearance(copies, c.centre)) c.centre = other;
            }
        }
        if (s.denserWhereDark) {
            const int x = std::clamp(static_cast<int>(c.centre.x), 0, picture.Width() - 1);
            const int y = std::clamp(static_cast<int>(c.centre.y), 0, picture.Height() - 1);
            const Colour col = picture.StraightAt(x, y);
            const double grey = 0.299 * col.r + 0.587 * col.g + 0.114 * col.b;
            if (guide.Uniform() > 1.0 - grey) continue;
        }
        const Canvas& o = objects[c.object];
        const double radius = 0.5 * c.scale * std::sqrt(o.Width() * o.Width() + o.Height() * o.Height());
        if (s.wholeOnly) {
            const Box& b = s.selection;
            if (c.centre.x - radius < b.x0 || c.centre.x + radius > b.x1 || c.centre.y - radius < b.y0 ||
                c.centre.y + radius > b.y1)
                continue;
        }
        if (s.noOverlap) {
            bool clear = true;
            for (const Copy& other : copies) {
                const Canvas& p = objects[other.object];
                const double r2 = 0.5 * other.scale * std::max(p.Width(), p.Height());
                if (Length(other.centre - c.centre) < 0.5 * c.scale * std::max(o.Width(), o.Height()) + r2)
                    clear = false;
            }
            if (!clear) continue;
        }
        copies.push_back(c);
    }
    if (s.orderByDepth)
        std::stable_sort(copies.begin(), copies.end(),
                         [](const Copy& a, const Copy& b) { return a.scale < b.scale; });
    return copies;
}

Affine CopyMap(const Copy& c, const Canvas& o) {
    return Affine::Place(c.centre, c.scale, c.angle)
        .After(Affine::Translate({-o.Width() * 0.5, -o.Height() * 0.5}));
}

// The colour with its hue turned by `turns` and its value scaled by `value`.
Colour Varied(const Colour& c, double turns, double value) {
    const double hi = std::max({c.r, c.g, c.b}), lo = std::min({c.r, c.g, c.b}), d = hi - lo;
    double hue = 0.0;
    if (d > 0.0) {
        if (hi == c.r)
            hue = (c.g - c.b) / d / 6.0;
        else if (hi == c.g)
            hue = (2.0 + (c.b - c.r) / d) / 6.0;
        else
            hue = (4.0 + (c.r - c.g) / d) / 6.0;
    }
    hue += turns;
    hue -= std::floor(hue);
    return Hsv(hue, hi > 0.0 ? d / hi : 0.0, std::min(1.0, hi * value), c.a);
}

void Render(Canvas& panel, const std::vector<Canvas>& objects, const Scatter& s) {
    Canvas layer(panel.Width(), panel.Height());
    // Variation has a generator of its own, so it never moves a copy.
    Random vary(s.seed * 131u + 7u);
    for (const Copy& placed : Place(objects, s, panel)) {
        Copy c = placed;
        Canvas o = objects[c.object];
        const double turns = s.hueJitter * vary.Uniform(-1.0, 1.0);
        const double value = 1.0 + s.brightnessJitter * vary.Uniform(-1.0, 1.0);
        const double kept = 1.0 - s.opacityJitter * vary.Uniform(0.0, 1.0);
        const bool mirrored = s.flip && vary.Uniform(0.0, 1.0) < 0.5;
        if (s.hueJitter > 0.0 || s.brightnessJitter > 0.0)
            o.Adjust([&](int, int, const Colour& col) { return Varied(col, turns, value); });
        if (mirrored) {
            Canvas m(o.Width(), o.Height());
            m.Draw(o,
                   Affine::Translate({static_cast<double>(o.Width()), 0.0}).After(Affine::Scale(-1.0, 1.0)));
            o = m;
        }
        const double far = 1.0 - c.nearness;
        if ((s.desaturate && s.orderByDepth) || s.texture) {
            o.Adjust([&](int, int, const Colour& col) {
                const double grey = 0.3 * col.r + 0.59 * col.g + 0.11 * col.b;
                const double k = s.texture ? 1.0 : 0.85 * far;
                return Colour{Lerp(col.r, grey, k), Lerp(col.g, grey, k), Lerp(col.b, grey, k), col.a};
            });
        }
        const double opacity = kept * s.opacity * (s.fade && s.orderByDepth ? 1.0 - 0.7 * far : 1.0);
        layer.Draw(o, CopyMap(c, o), opacity);
    }
    if (s.clipToSelection) {
        const Box& b = s.selection;
        const ShapeRef outside =
            Subtract(RoundedRect(panel.Centre(), {panel.Width() * 0.6, panel.Height() * 0.6}, 0.0),
                     RoundedRect({(b.x0 + b.x1) * 0.5, (b.y0 + b.y1) * 0.5},
                                 {(b.x1 - b.x0) * 0.5, (b.y1 - b.y0) * 0.5}, 0.0));
        layer.Fill(outside, Solid(Hex(0x000000)), Blend::Erase);
    }
    if (s.multiply) {
        panel.Adjust([&](int x, int y, const Colour& col) {
            const Colour t = layer.StraightAt(x, y);
            return Colour{Lerp(col.r, col.r * t.r, t.a), Lerp(col.g, col.g * t.g, t.a),
                          Lerp(col.b, col.b * t.b, t.a), 1.0};
        });
        return;
    }
    if (!s.texture) {
        panel.Draw(layer, Affine{});
        return;
    }
    // Relief: where a copy is lighter than middle grey the image lightens, where darker it darkens.
    Canvas result = panel;
    result.Adjust([&](int x, int y, const Colour& col) {
        const Colour t = layer.StraightAt(x, y);
        const double k = s.textureAmount * ((t.r + t.g + t.b) / 3.0 - 0.5) * t.a;
        return Colour{col.r + k, col.g + k, col.b + k, 1.0};
    });
    panel = result;
}

void DrawSelection(Canvas& panel, const Box& b) {
    const ShapeRef frame = Outline(RoundedRect({(b.x0 + b.x1) * 0.5, (b.y0 + b.y1) * 0.5},
                                               {(b.x1 - b.x0) * 0.5, (b.y1 - b.y0) * 0.5}, 0.0),
                                   0.6);
    panel.Fill(frame, [](const Sample& s) {
        const bool dark = static_cast<int>(std::floor((s.p.x + s.p.y) / 4.0)) % 2 == 0;
        return dark ? Hex(0x000000) : Hex(0xFFFFFF);
    });
}

// Two panels side by side on white, each with a thin frame.
Canvas Pair(const Canvas& left, const Canvas& right) {
    Canvas figure(2 * kPanelWidth + kGap, kPanelHeight);
    figure.FillAll(Solid(Hex(0xFFFFFF)));
    figure.Draw(left, Affine{});
    figure.Draw(right, Affine::Translate({static_cast<double>(kPanelWidth + kGap), 0.0}));
    for (double x : {0.0, static_cast<double>(kPanelWidth + kGap)}) {
        const ShapeRef frame = Outline(RoundedRect({x + kPanelWidth * 0.5, kPanelHeight * 0.5},
                                                   {kPanelWidth * 0.5 - 0.5, kPanelHeight * 0.5 - 0.5}, 0.0),
                                       0.5);
        figure.Fill(frame, Solid(Hex(0x8A8F98)));
    }
    return figure;
}

Canvas Panel(Scene scene, const std::vector<Canvas>& objects, const Scatter& s) {
    Canvas panel = Background(scene, kPanelWidth, kPanelHeight, s.seed * 7u + 3u);
    Render(panel, objects, s);
    if (s.wholeOnly || s.clipToSelection) DrawSelection(panel, s.selection);
    return panel;
}

// A strip showing the single-image presets of a category, on the colour of the
// dialog's preset list.
Canvas CategoryStrip(const Library& library, const std::string& category) {
    const std::string prefix = "Varnel/" + category + "/";
    std::vector<Canvas> shown;
    for (const Picture& picture : library.Pictures()) {
        const std::string& path = picture.path;
        if (path.rfind(prefix, 0) == 0 && path.find('/', prefix.size()) == std::string::npos)
            shown.push_back(FromImage(picture.image));
    }
    const int cell = 50;
    Canvas strip(static_cast<int>(shown.size()) * cell, cell);
    strip.FillAll(Solid(Hex(0xC9CECF)));
    for (size_t i = 0; i < shown.size(); ++i) {
        const Canvas& o = shown[i];
        const double scale = std::min(1.0, 44.0 / std::max(o.Width(), o.Height()));
        strip.Draw(o, Affine::Translate({cell * (i + 0.5), cell * 0.5})
                          .After(Affine::Scale(scale, scale))
                          .After(Affine::Translate({-o.Width() * 0.5, -o.Height() * 0.5})));
    }
    return strip;
}

}  // namespace

void AddHelpImages(Library& library) {
    const std::pair<const char*, const char*> categories[] = {
        {"Bokeh and Light", "bokeh"},
        {"Bubbles and Drops", "bubbles"},
        {"Confetti", "confetti"},
        {"Flowers and Petals", "flowers"},
        {"Hearts", "hearts"},
        {"Leaves", "leaves"},
        {"Snow", "snow"},
        {"Stars and Sparkles", "stars"},
        {"Stones and Pebbles", "stones"},
    };
    for (const auto& [category, slug] : categories)
        library.Add(std::string("help/images/library-") + slug + ".png", CategoryStrip(library, category));

    const auto find = [&](std::initializer_list<const char*> paths) {
        std::vector<Canvas> objects;
        for (const char* path : paths)
            objects.push_back(library.Find(std::string("Varnel/") + path + ".png"));
        return objects;
    };
    const auto leaves = find({"Leaves/Autumn/maple_3", "Leaves/Autumn/oak_2", "Leaves/Autumn/birch_3",
                              "Leaves/Autumn/orange maple_2"});
    const auto stars =
        find({"Stars and Sparkles/Night Sky/sparkle_4", "Stars and Sparkles/Night Sky/twinkle_6",
              "Stars and Sparkles/Night Sky/star_1", "Stars and Sparkles/Night Sky/blue_3"});
    const auto pebbles = find({"Stones and Pebbles/Beach/grey_3", "Stones and Pebbles/Beach/white_2",
                               "Stones and Pebbles/Beach/dark_2", "Stones and Pebbles/Beach/sandstone_2"});
    const auto maple = find({"Leaves/Autumn/maple_3"});
    const auto hearts = find({"Hearts/Valentine/red_3", "Hearts/Valentine/pink_3"});
    const auto bubbles = find({"Bubbles and Drops/Foam/large_1", "Bubbles and Drops/Foam/medium_3",
                               "Bubbles and Drops/Foam/small_5"});

    {
        // One wide scene for the top of the overview.
        Scatter s;
        s.count = 34;
        s.scale = 0.42;
        s.randomScale = 1.7;
        s.randomAngle = 180.0;
        s.orderByDepth = s.fade = true;
        s.seed = 5;
        Canvas scene = Background(Scene::Meadow, 2 * kPanelWidth + kGap, 140, 11);
        Render(scene, leaves, s);
        library.Add("help/images/welcome.png", scene);
    }
    {
        Scatter sparse;
        sparse.count = 8;
        sparse.scale = 0.55;
        sparse.randomAngle = 30.0;
        sparse.seed = 21;
        Scatter dense = sparse;
        dense.count = 60;
        library.Add("help/images/density.png",
                    Pair(Panel(Scene::Night, stars, sparse), Panel(Scene::Night, stars, dense)));
    }
    {
        Scatter fixed;
        fixed.count = 16;
        fixed.scale = 0.4;
        fixed.angle = 30.0;
        fixed.seed = 31;
        Scatter random = fixed;
        random.angle = 0.0;
        random.randomAngle = 180.0;
        library.Add("help/images/rotation.png",
                    Pair(Panel(Scene::Meadow, maple, fixed), Panel(Scene::Meadow, maple, random)));
    }
    {
        Scatter plain;
        plain.count = 24;
        plain.scale = 0.5;
        plain.randomScale = 2.2;
        plain.seed = 41;
        Scatter depth = plain;
        depth.orderByDepth = depth.fade = depth.desaturate = true;
        library.Add("help/images/depth.png",
                    Pair(Panel(Scene::Meadow, leaves, plain), Panel(Scene::Meadow, leaves, depth)));
    }
    {
        Scatter solid;
        solid.count = 14;
        solid.scale = 0.6;
        solid.randomAngle = 25.0;
        solid.seed = 51;
        Scatter light = solid;
        light.opacity = 0.45;
        library.Add("help/images/opacity.png",
                    Pair(Panel(Scene::Meadow, hearts, solid), Panel(Scene::Meadow, hearts, light)));
    }
    {
        Scatter clipped;
        clipped.count = 40;
        clipped.scale = 0.36;
        clipped.randomAngle = 180.0;
        clipped.selection = {28.0, 20.0, 122.0, 92.0};
        clipped.clipToSelection = true;
        clipped.seed = 61;
        Scatter whole = clipped;
        whole.wholeOnly = true;
        library.Add("help/images/whole.png",
                    Pair(Panel(Scene::Wall, leaves, clipped), Panel(Scene::Wall, leaves, whole)));
    }
    {
        Scatter crowded;
        crowded.count = 30;
        crowded.scale = 0.55;
        crowded.randomScale = 1.3;
        crowded.randomAngle = 180.0;
        crowded.seed = 71;
        Scatter apart = crowded;
        apart.noOverlap = true;
        library.Add("help/images/overlap.png",
                    Pair(Panel(Scene::Wall, pebbles, crowded), Panel(Scene::Wall, pebbles, apart)));
    }
    {
        Scatter painted;
        painted.count = 22;
        painted.scale = 0.6;
        painted.randomAngle = 180.0;
        painted.seed = 81;
        Scatter relief = painted;
        relief.texture = true;
        library.Add("help/images/texture.png",
                    Pair(Panel(Scene::Wall, pebbles, painted), Panel(Scene::Wall, pebbles, relief)));
    }
    {
        Scatter one;
        one.count = 18;
        one.scale = 0.45;
        one.randomScale = 1.5;
        one.randomAngle = 180.0;
        one.seed = 91;
        Scatter other = one;
        other.seed = 92;
        library.Add("help/images/seed.png",
                    Pair(Panel(Scene::Water, bubbles, one), Panel(Scene::Water, bubbles, other)));
    }
    {
        Scatter same;
        same.count = 22;
        same.scale = 0.42;
        same.randomAngle = 180.0;
        same.seed = 101;
        Scatter varied = same;
        varied.hueJitter = 0.12;
        varied.brightnessJitter = 0.3;
        varied.opacityJitter = 0.4;
        varied.flip = true;
        library.Add("help/images/variation.png",
                    Pair(Panel(Scene::Meadow, leaves, same), Panel(Scene::Meadow, leaves, varied)));
    }
    {
        Scatter painted;
        painted.count = 16;
        painted.scale = 0.55;
        painted.randomAngle = 30.0;
        painted.seed = 111;
        Scatter multiplied = painted;
        multiplied.multiply = true;
        library.Add("help/images/blend.png",
                    Pair(Panel(Scene::Wall, hearts, painted), Panel(Scene::Wall, hearts, multiplied)));
    }
    {
        Scatter plain;
        plain.count = 26;
        plain.scale = 0.4;
        plain.randomAngle = 40.0;
        plain.seed = 121;
        Scatter dark = plain;
        dark.denserWhereDark = true;
        library.Add("help/images/guide-density.png",
                    Pair(Panel(Scene::Meadow, leaves, plain), Panel(Scene::Meadow, leaves, dark)));
    }
    {
        Scatter random;
        random.count = 36;
        random.scale = 0.3;
        random.randomScale = 1.2;
        random.seed = 131;
        Scatter even = random;
        even.even = true;
        library.Add("help/images/guide-spacing.png",
                    Pair(Panel(Scene::Water, bubbles, random), Panel(Scene::Water, bubbles, even)));
    }
}

}  // namespace Art
