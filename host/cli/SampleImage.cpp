#include "host/cli/SampleImage.h"

#include <algorithm>
#include <cmath>

namespace VarnCli {

namespace {

struct Colour {
    double r, g, b;
};

Colour Mix(const Colour& a, const Colour& b, double t) {
    return Colour{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

double SmoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// xorshift32: small, and the same on every system.
struct Random {
    uint32_t state;
    uint32_t Next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
    double Unit() { return double(Next() >> 8) / double(1 << 24); }
};

struct Blob {
    double x, y, rx, ry, strength;
};

}  // namespace

Raster MakeSampleImage(int32_t width, int32_t height, uint32_t seed) {
    Raster image;
    image.width = width;
    image.height = height;
    image.channels = 3;
    image.pixels.assign(RasterBytes(width, height, 3), 0);
    Random random{seed == 0 ? 1u : seed};
    std::vector<Blob> clouds;
    for (int i = 0; i < 6; ++i) {
        clouds.push_back(Blob{random.Unit(), 0.08 + 0.3 * random.Unit(), 0.08 + 0.12 * random.Unit(),
                              0.03 + 0.05 * random.Unit(), 0.5 + 0.4 * random.Unit()});
    }
    const double phase = random.Unit() * 6.28318;
    const Colour zenith{70, 120, 200}, horizonSky{185, 210, 235}, cloud{250, 250, 252};
    const Colour farMeadow{120, 160, 80}, nearMeadow{55, 110, 35}, hill{85, 130, 70};
    for (int32_t y = 0; y < height; ++y) {
        const double v = (double(y) + 0.5) / height;
        for (int32_t x = 0; x < width; ++x) {
            const double u = (double(x) + 0.5) / width;
            const double horizon = 0.58 + 0.04 * std::sin(u * 7.0 + phase) + 0.02 * std::sin(u * 17.0);
            const double hillLine = horizon - 0.09 * std::exp(-std::pow((u - 0.7) / 0.18, 2.0));
            Colour c;
            if (v < hillLine) {
                c = Mix(zenith, horizonSky, SmoothStep(0.0, horizon, v));
                double cover = 0;
                for (const Blob& b : clouds) {
                    const double dx = (u - b.x) / b.rx, dy = (v - b.y) / b.ry;
                    cover = std::max(cover, b.strength * std::exp(-(dx * dx + dy * dy)));
                }
                c = Mix(c, cloud, cover);
            } else if (v < horizon) {
                c = Mix(hill, farMeadow, SmoothStep(hillLine, horizon, v) * 0.5);
            } else {
                c = Mix(farMeadow, nearMeadow, SmoothStep(horizon, 1.0, v));
                // Soft patches of lighter grass.
                c = Mix(c, Colour{150, 175, 70}, 0.25 * (0.5 + 0.5 * std::sin(u * 23.0 + v * 11.0 + phase)));
            }
            const double grain = (random.Unit() - 0.5) * 12.0;
            uint8_t* p = image.pixels.data() + (size_t(y) * size_t(width) + size_t(x)) * 3;
            p[0] = uint8_t(std::clamp(c.r + grain, 0.0, 255.0));
            p[1] = uint8_t(std::clamp(c.g + grain, 0.0, 255.0));
            p[2] = uint8_t(std::clamp(c.b + grain, 0.0, 255.0));
        }
    }
    return image;
}

}  // namespace VarnCli
