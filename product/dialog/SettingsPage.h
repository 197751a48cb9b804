// The rules of the Settings page: what its controls show for a parameter block, what
// they write back, and which of them are enabled. The window class only moves these
// values between the controls and the block.
#pragma once

#include <cstdint>

#include "product/dialog/PageRules.h"
#include "product/engine/EffectParameters.h"

// The page's controls, as positions and check states.
struct SettingsPageState {
    int32_t density = 0;
    int32_t angle = 0;           // the angle control, whole degrees
    int32_t randomRotation = 0;  // slider positions from here on
    int32_t scale = 0;
    int32_t randomScale = 0;
    int32_t opacity = 0;
    bool rotateImages = false;
    bool randomiseRotation = false;
    bool scaleImages = false;
    bool randomiseScaling = false;
    bool orderByDepth = false;
    bool fadeWithDepth = false;
    bool desaturateWithDepth = false;
};

enum class SettingsSlider { Density, RandomRotation, Scale, RandomScale, Opacity };
SliderRange SettingsSliderRange(SettingsSlider slider);

// The position of a logarithmic slider for a factor: 100 log10(factor), truncated toward
// zero. A factor that a position wrote (10^(position * 0.01)) gives that position back,
// so reopening the page never moves a slider the user set.
int32_t LogSliderPosition(double factor);

// The controls for a block, read through the same sanitising as the engine: a neutral
// scale opens its slider at 17 (1.5), a neutral random scale at 30 (2.0), no random
// rotation at 180.
SettingsPageState LoadSettingsPage(const EffectParameters& p);

// The single write path: every field of the page, neutral values for switched-off groups.
void ApplySettingsPage(const SettingsPageState& page, EffectParameters& p);

struct SettingsEnabling {
    bool angle = false;  // and "Randomise Rotation"
    bool randomRotation = false;
    bool scale = false;         // and "Randomise Scaling"
    bool randomScale = false;   // and "Order by depth"
    bool depthEffects = false;  // "Fade with depth" and "Desaturate with depth"
};
SettingsEnabling SettingsPageEnabling(const SettingsPageState& page);
