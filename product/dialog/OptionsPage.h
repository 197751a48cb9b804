// The rules of the Options page: the seed box's range and commit, Randomise, the texture
// slider, and the one write path that stores every option at once.
#pragma once

#include <cstdint>
#include <string>

#include "product/dialog/PageRules.h"
#include "product/engine/EffectParameters.h"

// The seed box's range (without wrapping); a focus loss clamps what was typed into it
// before the page reads it.
constexpr int32_t kSmallestSeed = 1;
constexpr int32_t kLargestSeed = 10000;
constexpr SliderRange kTextureSliderRange{1, 100};

int32_t ClampSeed(int64_t value);

struct OptionsPageState {
    int32_t seed = kSmallestSeed;
    int32_t textureAmount = 0;  // the slider keeps a stored value even while disabled
    bool applyAsTexture = false;
    bool wholeObjectsOnly = false;
    bool noOverlap = false;
};

OptionsPageState LoadOptionsPage(const EffectParameters& p);

// Writes all five option fields, whichever control changed.
void ApplyOptionsPage(const OptionsPageState& page, EffectParameters& p);

inline bool TextureSliderEnabled(const OptionsPageState& page) { return page.applyAsTexture; }

// The generator of the Windows C runtime's rand(): never seeded, so it starts at 1 in
// every thread. The page uses the runtime's own; this twin makes its sequence testable.
class ClassicRandom {
public:
    int32_t Next() {
        state = state * 214013u + 2531011u;
        return int32_t((state >> 16) & 0x7FFF);
    }

private:
    uint32_t state = 1;
};

// The seed Randomise sets for one value of the generator: modulo 10000, and a 0 becomes 1
// as the seed box clamps it.
inline int32_t RandomisedSeed(int32_t generatorValue) { return ClampSeed(generatorValue % 10000); }
