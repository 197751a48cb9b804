// The rules of the Variation page: its controls for a settings block (extension included)
// and the one write path that stores every variation at once.
#pragma once

#include <cstddef>
#include <cstdint>

#include "product/dialog/PageRules.h"
#include "product/engine/Variation.h"

enum class VariationSlider { Hue, Brightness, Opacity };
SliderRange VariationSliderRange(VariationSlider slider);

struct VariationPageState {
    int32_t hue = 0, brightness = 0, opacity = 0;  // slider positions: degrees and percent
    bool flipHorizontally = false, flipVertically = false;
    BlendMode blend = BlendMode::Normal;
};

// As the engine reads the block: absent or bad fields show their defaults.
VariationPageState LoadVariationPage(const uint8_t* block, size_t size);

// Writes all five variation fields; a block too short for the extension is left alone.
void ApplyVariationPage(const VariationPageState& page, uint8_t* block, size_t size);

// Hue, brightness and the blend mode act on painted copies only: a relief has no colour.
inline bool ColourVariationEnabled(bool applyAsTexture) { return !applyAsTexture; }
