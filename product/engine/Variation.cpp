#include "product/engine/Variation.h"

#include "product/engine/SettingsTable.h"

namespace {

int32_t Setting(const char* name, const uint8_t* block, size_t size) {
    return int32_t(ReadSetting(*FindSetting(name), block, size));
}

// A draw spread over -span..span.
int32_t Spread(uint32_t draw, int32_t span) {
    return span == 0 ? 0 : int32_t(draw % uint32_t(2 * span + 1)) - span;
}

}  // namespace

EffectVariation ReadVariation(const uint8_t* block, size_t size) {
    EffectVariation v;
    v.hueJitter = Setting("hueJitter", block, size);
    v.brightnessJitter = Setting("brightnessJitter", block, size);
    v.opacityJitter = Setting("opacityJitter", block, size);
    v.flip = uint8_t(Setting("flip", block, size));
    v.blend = BlendMode(Setting("blendMode", block, size));
    return v;
}

VariationSource::VariationSource(int32_t seed) : generator(uint32_t(seed) ^ 0x584E5256u) {}

CopyVariation VariationSource::Next(const EffectVariation& v) {
    uint32_t draws[kDrawsPerAttempt];
    for (uint32_t& d : draws) d = generator.NextU32();
    CopyVariation c;
    c.hueShift = Spread(draws[0], HueUnits(v.hueJitter));
    c.brightness = Spread(draws[1], v.brightnessJitter * 100);
    c.opacityCut = v.opacityJitter == 0 ? 0 : int32_t(draws[2] % uint32_t(v.opacityJitter * 100 + 1));
    c.flip = uint8_t(v.flip & draws[3] & 3u);
    return c;
}

int32_t HueUnits(int32_t degrees) { return degrees * 64 / 15; }

void TurnHue(int32_t c[3], int32_t shift) {
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

void ScaleBrightness(int32_t c[3], int32_t brightness) {
    if (brightness == 0) return;
    for (int k = 0; k < 3; ++k) {
        const int32_t v = c[k] * (10000 + brightness) / 10000;
        c[k] = v > 255 ? 255 : v;
    }
}

int32_t BlendChannel(BlendMode mode, int32_t d, int32_t s) {
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
