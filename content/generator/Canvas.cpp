#include "Canvas.h"

#include <algorithm>
#include <cmath>

namespace Art {
namespace {

double Coverage(double d, double feather) {
    if (feather <= 1.0) return Clamp01(0.5 - d / feather);
    return SmoothStep(0.0, 1.0, 0.5 - d / feather);
}

Premul ToPremul(const Colour& c, double alpha) {
    const double a = Clamp01(c.a * alpha);
    return {Clamp01(c.r) * a, Clamp01(c.g) * a, Clamp01(c.b) * a, a};
}

int ToByte(double v) { return static_cast<int>(std::floor(Clamp01(v) * 255.0 + 0.5)); }

}  // namespace

Colour Hex(uint32_t rgb, double alpha) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, alpha};
}

Colour Mix(const Colour& c0, const Colour& c1, double t) {
    return {Lerp(c0.r, c1.r, t), Lerp(c0.g, c1.g, t), Lerp(c0.b, c1.b, t), Lerp(c0.a, c1.a, t)};
}

Colour WithAlpha(const Colour& c, double alpha) { return {c.r, c.g, c.b, alpha}; }

Colour Shade(const Colour& c, double factor) { return {c.r * factor, c.g * factor, c.b * factor, c.a}; }

Colour Hsv(double hue, double saturation, double value, double alpha) {
    const double h = (hue - std::floor(hue)) * 6.0;
    const int sector = static_cast<int>(std::floor(h)) % 6;
    const double f = h - std::floor(h);
    const double p = value * (1.0 - saturation), q = value * (1.0 - saturation * f),
                 t = value * (1.0 - saturation * (1.0 - f));
    switch (sector) {
        case 0:
            return {value, t, p, alpha};
        case 1:
            return {q, value, p, alpha};
        case 2:
            return {p, value, t, alpha};
        case 3:
            return {p, q, value, alpha};
        case 4:
            return {t, p, value, alpha};
        default:
            return {value, p, q, alpha};
    }
}

Colour Gradient::At(double t) const {
    if (t <= stops.front().t) return stops.front().colour;
    for (size_t i = 1; i < stops.size(); ++i) {
        if (t <= stops[i].t) {
            const Stop& a = stops[i - 1];
            const Stop& b = stops[i];
            return Mix(a.colour, b.colour, (t - a.t) / (b.t - a.t));
        }
    }
    return stops.back().colour;
}

Paint Solid(const Colour& c) {
    return [c](const Sample&) { return c; };
}

Paint Linear(Vec2 from, Vec2 to, Gradient gradient) {
    const Vec2 axis = to - from;
    const double inv = 1.0 / Dot(axis, axis);
    return [=](const Sample& s) { return gradient.At(Dot(s.p - from, axis) * inv); };
}

Paint Radial(Vec2 centre, double radius, Gradient gradient) {
    return [=](const Sample& s) { return gradient.At(Length(s.p - centre) / radius); };
}

Paint ByDepth(double depth, Gradient gradient) {
    return [=](const Sample& s) { return gradient.At(-s.d / depth); };
}

Canvas::Canvas(int initialWidth, int initialHeight)
    : width(initialWidth), height(initialHeight), pixels(static_cast<size_t>(width) * initialHeight) {}

void Canvas::BlendPixel(int x, int y, const Premul& s, Blend blend) {
    Premul& d = At(x, y);
    switch (blend) {
        case Blend::Over:
            d = {s.r + d.r * (1.0 - s.a), s.g + d.g * (1.0 - s.a), s.b + d.b * (1.0 - s.a),
                 s.a + d.a * (1.0 - s.a)};
            break;
        case Blend::Atop:
            d = {s.r * d.a + d.r * (1.0 - s.a), s.g * d.a + d.g * (1.0 - s.a), s.b * d.a + d.b * (1.0 - s.a),
                 d.a};
            break;
        case Blend::Behind:
            d = {d.r + s.r * (1.0 - d.a), d.g + s.g * (1.0 - d.a), d.b + s.b * (1.0 - d.a),
                 d.a + s.a * (1.0 - d.a)};
            break;
        case Blend::Erase:
            d = {d.r * (1.0 - s.a), d.g * (1.0 - s.a), d.b * (1.0 - s.a), d.a * (1.0 - s.a)};
            break;
        case Blend::Add: {
            const double a = s.a + d.a - s.a * d.a;
            d = {std::min(a, d.r + s.r), std::min(a, d.g + s.g), std::min(a, d.b + s.b), a};
            break;
        }
    }
}

void Canvas::Fill(const Shape& shape, const Paint& paint, Blend blend, double feather, double opacity) {
    const Box b = shape.Bounds().Grown(feather + 1.0);
    const int x0 = std::max(0, static_cast<int>(std::floor(b.x0)));
    const int y0 = std::max(0, static_cast<int>(std::floor(b.y0)));
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(b.x1)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(b.y1)));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const Vec2 p{x + 0.5, y + 0.5};
            const double d = shape.Distance(p);
            const double cover = Coverage(d, feather) * opacity;
            if (cover <= 0.0) continue;
            BlendPixel(x, y, ToPremul(paint({p, d}), cover), blend);
        }
    }
}

void Canvas::FillAll(const Paint& paint, Blend blend) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            BlendPixel(x, y, ToPremul(paint({{x + 0.5, y + 0.5}, -1e30}), 1.0), blend);
}

Premul Canvas::Sample(double x, double y) const {
    // Pixel centres lie at half-integers.
    const double fx = std::floor(x - 0.5), fy = std::floor(y - 0.5);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = x - 0.5 - fx, ty = y - 0.5 - fy;
    Premul out;
    for (int j = 0; j < 2; ++j) {
        for (int i = 0; i < 2; ++i) {
            const int px = ix + i, py = iy + j;
            if (px < 0 || py < 0 || px >= width || py >= height) continue;
            const double w = (i ? tx : 1.0 - tx) * (j ? ty : 1.0 - ty);
            const Premul& p = At(px, py);
            out.r += p.r * w;
            out.g += p.g * w;
            out.b += p.b * w;
            out.a += p.a * w;
        }
    }
    return out;
}

Canvas Canvas::HalfSize() const {
    Canvas out((width + 1) / 2, (height + 1) / 2);
    for (int y = 0; y < out.height; ++y) {
        for (int x = 0; x < out.width; ++x) {
            Premul sum;
            for (int j = 0; j < 2; ++j) {
                for (int i = 0; i < 2; ++i) {
                    const int sx = 2 * x + i, sy = 2 * y + j;
                    if (sx >= width || sy >= height) continue;
                    const Premul& p = At(sx, sy);
                    sum.r += p.r * 0.25;
                    sum.g += p.g * 0.25;
                    sum.b += p.b * 0.25;
                    sum.a += p.a * 0.25;
                }
            }
            out.At(x, y) = sum;
        }
    }
    return out;
}

void Canvas::Draw(const Canvas& source, const Affine& sourceToHere, double opacity, Blend blend) {
    // Shrink the source first when it is drawn much smaller, so that the 4 x 4
    // samples per pixel below still see every source pixel.
    const double scale = std::sqrt(std::fabs(sourceToHere.Determinant()));
    if (scale < 0.5 && source.width > 2 && source.height > 2) {
        const Canvas half = source.HalfSize();
        const Affine fromHalf = sourceToHere.After(Affine::Scale(2.0, 2.0));
        Draw(half, fromHalf, opacity, blend);
        return;
    }
    Box b = Box::Empty();
    for (Vec2 corner : {Vec2{0.0, 0.0}, Vec2{static_cast<double>(source.width), 0.0},
                        Vec2{0.0, static_cast<double>(source.height)},
                        Vec2{static_cast<double>(source.width), static_cast<double>(source.height)}})
        b.Add(sourceToHere.Apply(corner));
    const Affine back = sourceToHere.Inverse();
    const int x0 = std::max(0, static_cast<int>(std::floor(b.x0)) - 1);
    const int y0 = std::max(0, static_cast<int>(std::floor(b.y0)) - 1);
    const int x1 = std::min(width - 1, static_cast<int>(std::ceil(b.x1)));
    const int y1 = std::min(height - 1, static_cast<int>(std::ceil(b.y1)));
    const int n = 4;
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            Premul sum;
            for (int j = 0; j < n; ++j) {
                for (int i = 0; i < n; ++i) {
                    const Vec2 q = back.Apply({x + (i + 0.5) / n, y + (j + 0.5) / n});
                    const Premul p = source.Sample(q.x, q.y);
                    sum.r += p.r;
                    sum.g += p.g;
                    sum.b += p.b;
                    sum.a += p.a;
                }
            }
            const double w = opacity / (n * n);
            if (sum.a <= 0.0) continue;
            BlendPixel(x, y, {sum.r * w, sum.g * w, sum.b * w, sum.a * w}, blend);
        }
    }
}

void Canvas::Blur(double radius) {
    if (radius <= 0.0) return;
    const double sigma = radius / 2.0;
    const int reach = static_cast<int>(std::ceil(radius * 1.5));
    std::vector<double> kernel;
    double total = 0.0;
    for (int i = -reach; i <= reach; ++i) {
        kernel.push_back(Exp(-(i * i) / (2.0 * sigma * sigma)));
        total += kernel.back();
    }
    for (double& k : kernel) k /= total;
    std::vector<Premul> temp(pixels.size());
    for (int pass = 0; pass < 2; ++pass) {
        const int dx = pass == 0 ? 1 : 0, dy = pass == 0 ? 0 : 1;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                Premul sum;
                for (int i = -reach; i <= reach; ++i) {
                    const int sx = x + i * dx, sy = y + i * dy;
                    if (sx < 0 || sy < 0 || sx >= width || sy >= height) continue;
                    const double k = kernel[static_cast<size_t>(i + reach)];
                    const Premul& p = At(sx, sy);
                    sum.r += p.r * k;
                    sum.g += p.g * k;
                    sum.b += p.b * k;
                    sum.a += p.a * k;
                }
                temp[static_cast<size_t>(y) * width + x] = sum;
            }
        }
        pixels.swap(temp);
    }
}

Colour Canvas::StraightAt(int x, int y) const {
    const Premul& p = At(x, y);
    if (p.a <= 0.0) return {0.0, 0.0, 0.0, 0.0};
    return {p.r / p.a, p.g / p.a, p.b / p.a, p.a};
}

void Canvas::Adjust(const std::function<Colour(int x, int y, const Colour&)>& change) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) At(x, y) = ToPremul(change(x, y, StraightAt(x, y)), 1.0);
}

std::vector<uint8_t> Canvas::ToRgba8() const {
    std::vector<uint8_t> out(pixels.size() * 4, 0);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const Premul& p = pixels[i];
        const int a = ToByte(p.a);
        if (a == 0) continue;
        out[i * 4 + 0] = static_cast<uint8_t>(ToByte(p.r / p.a));
        out[i * 4 + 1] = static_cast<uint8_t>(ToByte(p.g / p.a));
        out[i * 4 + 2] = static_cast<uint8_t>(ToByte(p.b / p.a));
        out[i * 4 + 3] = static_cast<uint8_t>(a);
    }
    return out;
}

}  // namespace Art
