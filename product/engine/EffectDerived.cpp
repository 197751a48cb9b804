#include "product/engine/EffectDerived.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "product/engine/PortableMath.h"
#include "product/engine/SettingsTable.h"

namespace {

// trunc(v) as a 32-bit coordinate, saturated.
int32_t TruncatedEdge(double v, int32_t fallback) {
    if (std::isnan(v)) return fallback;
    double t = std::trunc(v);
    if (t <= static_cast<double>(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    if (t >= static_cast<double>(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(t);
}

}  // namespace

EffectParameters SanitizedEffectParameters(const EffectParameters& p) {
    EffectParameters s = p;
    uint8_t* bytes = reinterpret_cast<uint8_t*>(&s);
    for (const SettingRow& row : SettingRows()) {
        if (InExtension(row)) continue;
        if (row.type == SettingType::Text) {
            bytes[row.offset + SettingSize(row.type) - 1] = 0;
        } else if (row.bad != BadRead::AsStored) {
            StoreValue(row, bytes, SanitizedValue(row, StoredValue(row, bytes)));
        }
    }
    return s;
}

double SliderFactor(int32_t position) { return PortableMath::Pow(10.0, position * 0.01); }

double MeanScale(double scale, double randomScale) {
    if (randomScale == 1.0) return scale;
    const double vv = randomScale * randomScale;
    return scale * PortableMath::Sqrt((vv - 1.0 / vv) / (4.0 * PortableMath::Log(randomScale)));
}

OrvRect PlacementArea(const OrvRect& filterArea, int32_t meanWidth, int32_t meanHeight, double meanScale,
                      bool wholeObjectsOnly) {
    OrvRect area = filterArea;
    if (!wholeObjectsOnly) {
        area.left = TruncatedEdge(filterArea.left - meanWidth * meanScale, filterArea.left);
        area.top = TruncatedEdge(filterArea.top - meanHeight * meanScale, filterArea.top);
    }
    return area;
}

int32_t CopyCount(const OrvRect& area, int32_t meanWidth, int32_t meanHeight, double meanScale,
                  int32_t density) {
    // Sides up to 2^32 - 1 each: the products are formed in double, exact below 2^53.
    const double areaPixels = static_cast<double>(int64_t{area.bottom} - int64_t{area.top}) *
                              static_cast<double>(int64_t{area.right} - int64_t{area.left});
    const double objectPixels = static_cast<double>(int64_t{meanWidth} * int64_t{meanHeight});
    const double divisor = (objectPixels * meanScale) * meanScale;
    double n = areaPixels * (10.0 / divisor);
    if (n > kMostCopies) n = kMostCopies;
    const double count = std::trunc((n * density) * 0.01);
    if (!(count >= 1.0)) return 1;
    if (count > kMostCopies) return kMostCopies;
    return static_cast<int32_t>(count);
}

double CopyAngle(double rotationAngle, double randomRotation, double r) {
    return rotationAngle + (2.0 * r - 1.0) * randomRotation;
}

double CopyScale(double scale, double randomScale, double r) {
    return scale * PortableMath::Pow(randomScale, 2.0 * r - 1.0);
}
