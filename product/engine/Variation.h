// Per-copy variation: hue, brightness, opacity and flips drawn for each attempt from a
// generator of their own, and one blend mode for all copies. Integer arithmetic only, so
// every build gives the same bytes; the placement generator never sees these draws.
#pragma once

#include <cstddef>
#include <cstdint>

#include "product/engine/MersenneTwister.h"

enum class BlendMode : uint8_t { Normal, Multiply, Screen, Overlay, Darken, Lighten };

enum FlipAxes : uint8_t { kFlipNone = 0, kFlipHorizontal = 1, kFlipVertical = 2 };

// The extension's settings as the engine reads them (defaults: all off).
struct EffectVariation {
    int32_t hueJitter = 0;         // degrees, 0..180
    int32_t brightnessJitter = 0;  // percent, 0..100
    int32_t opacityJitter = 0;     // percent, 0..100
    uint8_t flip = kFlipNone;      // axes that may be mirrored
    BlendMode blend = BlendMode::Normal;
};

// From a whole settings block of `size` bytes; absent or bad fields read as the table says.
EffectVariation ReadVariation(const uint8_t* block, size_t size);

// One copy's variation.
struct CopyVariation {
    int32_t hueShift = 0;    // 1536 units a full turn
    int32_t brightness = 0;  // 1/10000ths added to a factor of 1
    int32_t opacityCut = 0;  // 1/10000ths of the opacity taken away
    uint8_t flip = kFlipNone;
    uint32_t keepDraw = 0;  // the fifth draw, which a density map compares with its threshold
};

// The variation generator: seeded with the seed XOR 0x584E5256, eight draws an attempt in a
// fixed order (hue, brightness, opacity, flip, the density map's keep draw, three kept for
// later settings), taken whether or not any variation is on.
class VariationSource {
public:
    explicit VariationSource(int32_t seed);
    CopyVariation Next(const EffectVariation& v);
    static constexpr int kDrawsPerAttempt = 8;

private:
    MersenneTwister generator;
};

// Hue units a jitter of `degrees` reaches either way: degrees x 64 / 15, truncated.
int32_t HueUnits(int32_t degrees);

// Inline, since the samplers call these for every pixel of a varied copy.
// The hue of c turned by `shift` units in the hexcone; greys and the extremes stay.
inline void TurnHue(int32_t c[3], int32_t shift) {
    const int32_t r = c[0], g = c[1], b = c[2];
    const int32_t hi = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const int32_t lo = r < g ? (r < b ? r : b) : (g < b ? g : b);
    const int32_t d = hi - lo;
    if (d == 0 || shift == 0) return;
    int32_t h;
    if (r == hi) {
        h = 256 * (g - b) / d;
    } else if (g == hi) {
        h = 512 + 256 * (b - r) / d;
    } else {
        h = 1024 + 256 * (r - g) / d;
    }
    h = ((h + shift) % 1536 + 1536) % 1536;
    const int32_t f = d * (h % 256) / 256;
    const int32_t up = lo + f, down = hi - f;
    switch (h / 256) {
        case 0:
            c[0] = hi, c[1] = up, c[2] = lo;
            break;
        case 1:
            c[0] = down, c[1] = hi, c[2] = lo;
            break;
        case 2:
            c[0] = lo, c[1] = hi, c[2] = up;
            break;
        case 3:
            c[0] = lo, c[1] = down, c[2] = hi;
            break;
        case 4:
            c[0] = up, c[1] = lo, c[2] = hi;
            break;
        default:
            c[0] = hi, c[1] = lo, c[2] = down;
            break;
    }
}

// Each channel times (10000 + brightness) / 10000, truncated, at most 255.
inline void ScaleBrightness(int32_t c[3], int32_t brightness) {
    if (brightness == 0) return;
    for (int k = 0; k < 3; ++k) {
        const int32_t v = c[k] * (10000 + brightness) / 10000;
        c[k] = v > 255 ? 255 : v;
    }
}

// The blend mode's colour for object channel s over image channel d.
inline int32_t BlendChannel(BlendMode mode, int32_t d, int32_t s) {
    switch (mode) {
        case BlendMode::Normal:
            return s;
        case BlendMode::Multiply:
            return d * s / 255;
        case BlendMode::Screen:
            return 255 - (255 - d) * (255 - s) / 255;
        case BlendMode::Overlay:
            return d < 128 ? 2 * d * s / 255 : 255 - 2 * (255 - d) * (255 - s) / 255;
        case BlendMode::Darken:
            return d < s ? d : s;
        case BlendMode::Lighten:
            return d > s ? d : s;
    }
    return s;
}
