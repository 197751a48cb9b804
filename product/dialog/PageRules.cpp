#include "product/dialog/PageRules.h"

#include "product/engine/SettingsTable.h"

SliderRange SettingSliderRange(const char* name) {
    const SettingRow& row = *FindSetting(name);
    return SliderRange{int32_t(row.minimum), int32_t(row.maximum)};
}
