#include "ParameterTarget.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "product/engine/EffectDerived.h"
#include "product/engine/ObjectSet.h"
#include "product/engine/PlacementDrawing.h"
#include "product/engine/PlacementList.h"
#include "product/engine/SettingsTable.h"
#include "product/engine/Variation.h"

namespace {

const OrvImage2& Object(bool texture) {
    static OrvImage2 colour, relief;
    OrvImage2& image = texture ? relief : colour;
    if (image.IsEmpty()) {
        image.Create(9, 7, 32, nullptr);
        image.SetHasAlpha(true);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 36; ++x) image.RowAddress(y)[x] = uint8_t(x * 7 + y * 31);
        if (texture) ToTextureMap(image);
    }
    return image;
}

}  // namespace

int FuzzParameterBlock(const uint8_t* data, size_t size) {
    EffectParameters stored;
    std::memset(&stored, 0, sizeof stored);
    std::memcpy(&stored, data, std::min(size, sizeof stored));
    const EffectParameters p = SanitizedEffectParameters(stored);
    // The extension as a block of exactly this size holds it: any tag, length and fields.
    const EffectVariation variation = ReadVariation(data, size);
    std::vector<uint8_t> completed(data, data + size);
    if (completed.size() < kSettingsBlockSize) completed.resize(kSettingsBlockSize, 0);
    CompleteExtension(completed.data(), completed.size());
    if (!HasExtension(completed.data(), completed.size())) __builtin_trap();

    ObjectChoice choice;
    choice.widths = {9, 5};
    choice.heights = {7, 11};
    choice.cumulativeWeights = {3, 4};
    choice.meanWidth = 8;
    choice.meanHeight = 8;
    const OrvRect area{-3, 2, 61, 45};
    // The guides as the block holds them, over a luminance map of the area's own ramp.
    Guides guides;
    guides.settings = ReadGuides(data, size);
    LuminanceReducer reducer(area);
    std::vector<uint8_t> ramp(size_t(area.Width()) * 3);
    for (size_t i = 0; i < ramp.size(); ++i) ramp[i] = uint8_t(i * 7);
    for (int32_t y = area.top; y < area.bottom; ++y) reducer.AddRow(y, ramp.data(), area.Width(), 3);
    guides.luminance = reducer.Finish();
    const std::vector<Placement> list = BuildPlacements(
        p, choice, area, false, [](const OrvRect& box) { return (box.left & 1) == 0; }, variation, &guides);

    const bool texture = p.applyAsTexture != 0;
    std::vector<uint8_t> pixels(48 * 32 * 4, 77), mask(48 * 32, 200);
    const int32_t bytes = (p.randomSeed & 1) ? 4 : 3;
    const PixelBuffer out{pixels.data(), 48,     32,
                          bytes,         48 * 4, bytes == 4 ? pixelKindHostRGBA : pixelKindHostRGB};
    const PixelBuffer maskView{mask.data(), 48, 32, 1, 48, pixelKindMask};
    const DrawSettings settings{texture, (p.density & 1) != 0, p.textureAmount, uint8_t(variation.blend)};
    // The buffer shows the area at a reduced size, as a preview does.
    for (const Placement& placement : list) {
        DrawPlacement(out, (p.noOverlap & 1) ? &maskView : nullptr, area, placement, Object(texture),
                      settings);
    }
    return 0;
}
