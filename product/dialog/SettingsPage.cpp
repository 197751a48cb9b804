#include "product/dialog/SettingsPage.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "product/engine/EffectDerived.h"
#include "product/engine/PortableMath.h"

namespace {

// Truncation toward zero into the int range (the sanitised block keeps values small,
// but the page must not depend on that for defined behaviour).
int32_t Truncated(double v) {
    if (std::isnan(v)) return 0;
    const double t = std::trunc(v);
    if (t <= double(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (t >= double(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return int32_t(t);
}

}  // namespace

SliderRange SettingsSliderRange(SettingsSlider slider) {
    switch (slider) {
        case SettingsSlider::Density:
            return {1, 100};
        case SettingsSlider::RandomRotation:
            return {1, 180};
        case SettingsSlider::Scale:
            return {-100, 100};
        case SettingsSlider::RandomScale:
            return {1, 100};
        case SettingsSlider::Opacity:
            return {0, 255};
    }
    return {0, 0};
}

int32_t LogSliderPosition(double factor) {
    // Correctly rounded logarithms, so that every build opens a block at the same place.
    const double v = 100.0 * (PortableMath::Log(factor) / PortableMath::Log(10.0));
    if (std::fabs(v) < 1e6) {
        const int32_t nearest = int32_t(std::lround(v));
        if (SliderFactor(nearest) == factor) return nearest;
    }
    return Truncated(v);
}

SettingsPageState LoadSettingsPage(const EffectParameters& stored) {
    const EffectParameters p = SanitizedEffectParameters(stored);
    SettingsPageState page;
    page.density = p.density;
    page.scaleImages = p.scale != 1.0;
    page.scale = LogSliderPosition(p.scale == 1.0 ? 1.5 : p.scale);
    page.randomiseScaling = p.randomScale != 1.0;
    page.randomScale = LogSliderPosition(p.randomScale == 1.0 ? 2.0 : p.randomScale);
    page.rotateImages = p.rotationAngle != 0.0;
    page.angle = Truncated(p.rotationAngle);
    page.randomiseRotation = p.randomRotation != 0.0;
    page.randomRotation = p.randomRotation == 0.0 ? 180 : Truncated(p.randomRotation);
    page.orderByDepth = p.orderByDepth != 0;
    page.fadeWithDepth = p.fadeWithDepth != 0;
    page.desaturateWithDepth = p.desaturateWithDepth != 0;
    page.opacity = p.opacity;
    return page;
}

void ApplySettingsPage(const SettingsPageState& page, EffectParameters& p) {
    p.rotationAngle = page.rotateImages ? double(page.angle) : 0.0;
    p.randomRotation = page.rotateImages && page.randomiseRotation ? double(page.randomRotation) : 0.0;
    p.density = page.density;
    p.scale = page.scaleImages ? SliderFactor(page.scale) : 1.0;
    p.randomScale = page.scaleImages && page.randomiseScaling ? SliderFactor(page.randomScale) : 1.0;
    p.orderByDepth = page.orderByDepth ? 1 : 0;
    p.fadeWithDepth = page.fadeWithDepth ? 1 : 0;
    p.desaturateWithDepth = page.desaturateWithDepth ? 1 : 0;
    p.opacity = uint8_t(std::clamp(page.opacity, int32_t{0}, int32_t{255}));
}

SettingsEnabling SettingsPageEnabling(const SettingsPageState& page) {
    SettingsEnabling e;
    e.angle = page.rotateImages;
    e.randomRotation = page.rotateImages && page.randomiseRotation;
    e.scale = page.scaleImages;
    e.randomScale = page.scaleImages && page.randomiseScaling;
    e.depthEffects = e.randomScale && page.orderByDepth;
    return e;
}
