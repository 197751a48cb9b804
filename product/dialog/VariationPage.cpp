#include "product/dialog/VariationPage.h"

#include "product/engine/SettingsTable.h"

SliderRange VariationSliderRange(VariationSlider slider) {
    const char* const names[] = {"hueJitter", "brightnessJitter", "opacityJitter"};
    return SettingSliderRange(names[int(slider)]);
}

VariationPageState LoadVariationPage(const uint8_t* block, size_t size) {
    const EffectVariation v = ReadVariation(block, size);
    VariationPageState page;
    page.hue = v.hueJitter;
    page.brightness = v.brightnessJitter;
    page.opacity = v.opacityJitter;
    page.flipHorizontally = (v.flip & kFlipHorizontal) != 0;
    page.flipVertically = (v.flip & kFlipVertical) != 0;
    page.blend = v.blend;
    return page;
}

void ApplyVariationPage(const VariationPageState& page, uint8_t* block, size_t size) {
    if (size < kSettingsBlockSize) return;
    CompleteExtension(block, size);
    const auto store = [block](const char* name, double v) { StoreValue(*FindSetting(name), block, v); };
    store("hueJitter", page.hue);
    store("brightnessJitter", page.brightness);
    store("opacityJitter", page.opacity);
    store("flip", (page.flipHorizontally ? kFlipHorizontal : 0) | (page.flipVertically ? kFlipVertical : 0));
    store("blendMode", int(page.blend));
}
