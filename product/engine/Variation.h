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
};

// The variation generator: seeded with the seed XOR 0x584E5256, eight draws an attempt in a
// fixed order (hue, brightness, opacity, flip, four kept for later settings), taken
// whether or not any variation is on.
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

// The hue of c turned by `shift` units in the hexcone; greys and the extremes stay.
void TurnHue(int32_t c[3], int32_t shift);

// Each channel times (10000 + brightness) / 10000, truncated, at most 255.
void ScaleBrightness(int32_t c[3], int32_t brightness);

// The blend mode's colour for object channel s over image channel d.
int32_t BlendChannel(BlendMode mode, int32_t d, int32_t s);
