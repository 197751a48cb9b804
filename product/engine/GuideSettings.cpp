#include "product/engine/GuideSettings.h"

#include <cstring>

#include "product/engine/SettingsTable.h"

namespace {

int32_t Setting(const char* name, const uint8_t* block, size_t size) {
    return int32_t(ReadSetting(*FindSetting(name), block, size));
}

// A path field up to its NUL; the field's last byte is read as one.
std::string Text(const char* name, const uint8_t* block, size_t size) {
    const SettingRow& row = *FindSetting(name);
    if (!HoldsField(row, block, size)) return std::string();
    const char* p = reinterpret_cast<const char*>(block + row.offset);
    return std::string(p, strnlen(p, SettingSize(row.type) - 1));
}

}  // namespace

bool GuideSettings::NeedsLuminance() const {
    const auto own = [](MapSource s) { return s == MapSource::Luminance || s == MapSource::Inverse; };
    return own(densityMap) || own(sizeMap) || followEdges;
}

bool GuideSettings::NeedsFile() const { return densityMap == MapSource::File || sizeMap == MapSource::File; }

GuideSettings ReadGuides(const uint8_t* block, size_t size) {
    GuideSettings g;
    g.densityMap = MapSource(Setting("densityMap", block, size));
    g.sizeMap = MapSource(Setting("sizeMap", block, size));
    g.even = Setting("spacing", block, size) != 0;
    g.followEdges = Setting("followEdges", block, size) != 0;
    g.keepCount = Setting("keepCount", block, size) != 0;
    g.densityStrength = Setting("densityStrength", block, size);
    g.sizeMinimum = Setting("sizeMinimum", block, size);
    g.sizeMaximum = Setting("sizeMaximum", block, size);
    g.mapFile = Text("mapFile", block, size);
    return g;
}
