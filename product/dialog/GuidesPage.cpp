#include "product/dialog/GuidesPage.h"

#include <algorithm>
#include <cstring>

#include "product/engine/SettingsTable.h"

SliderRange GuidesSliderRange(GuidesSlider slider) {
    const char* const names[] = {"densityStrength", "sizeMinimum", "sizeMaximum"};
    return SettingSliderRange(names[int(slider)]);
}

GuidesPageState LoadGuidesPage(const uint8_t* block, size_t size) {
    const GuideSettings g = ReadGuides(block, size);
    GuidesPageState page;
    page.densityMap = g.densityMap;
    page.sizeMap = g.sizeMap;
    page.strength = g.densityStrength;
    page.sizeMinimum = g.sizeMinimum;
    page.sizeMaximum = g.sizeMaximum;
    page.keepCount = g.keepCount;
    page.even = g.even;
    page.followEdges = g.followEdges;
    page.mapFile = g.mapFile;
    return page;
}

void ApplyGuidesPage(const GuidesPageState& page, uint8_t* block, size_t size) {
    if (size < kSettingsBlockSize) return;
    CompleteExtension(block, size);
    const auto store = [block](const char* name, double v) { StoreValue(*FindSetting(name), block, v); };
    store("densityMap", int(page.densityMap));
    store("sizeMap", int(page.sizeMap));
    store("spacing", page.even ? 1 : 0);
    store("followEdges", page.followEdges ? 1 : 0);
    store("densityStrength", page.strength);
    store("sizeMinimum", page.sizeMinimum);
    store("sizeMaximum", page.sizeMaximum);
    store("keepCount", page.keepCount ? 1 : 0);
    // Every byte after the path is cleared, so that no older, longer path shows through.
    const SettingRow& path = *FindSetting("mapFile");
    const size_t room = SettingSize(path.type);
    std::memset(block + path.offset, 0, room);
    std::memcpy(block + path.offset, page.mapFile.data(), std::min(page.mapFile.size(), room - 1));
}

GuidesEnabling GuidesControlsEnabled(const GuidesPageState& page) {
    return GuidesEnabling{page.densityMap != MapSource::None, page.sizeMap != MapSource::None,
                          page.densityMap == MapSource::File || page.sizeMap == MapSource::File};
}
