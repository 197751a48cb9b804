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
    c.keepDraw = draws[4];
    return c;
}

int32_t HueUnits(int32_t degrees) { return degrees * 64 / 15; }
