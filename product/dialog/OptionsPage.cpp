#include "product/dialog/OptionsPage.h"

#include <algorithm>

int32_t ClampSeed(int64_t value) { return int32_t(std::clamp<int64_t>(value, kSmallestSeed, kLargestSeed)); }

OptionsPageState LoadOptionsPage(const EffectParameters& p) {
    OptionsPageState page;
    page.seed = ClampSeed(p.randomSeed);
    page.textureAmount = p.textureAmount;
    page.applyAsTexture = p.applyAsTexture != 0;
    page.wholeObjectsOnly = p.wholeObjectsOnly != 0;
    page.noOverlap = p.noOverlap != 0;
    return page;
}

void ApplyOptionsPage(const OptionsPageState& page, EffectParameters& p) {
    p.randomSeed = page.seed;
    p.applyAsTexture = page.applyAsTexture ? 1 : 0;
    p.textureAmount = page.textureAmount;
    p.wholeObjectsOnly = page.wholeObjectsOnly ? 1 : 0;
    p.noOverlap = page.noOverlap ? 1 : 0;
}
