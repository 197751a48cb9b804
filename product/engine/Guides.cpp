#include "product/engine/Guides.h"

int32_t Guides::MapValue(MapSource source, int32_t x, int32_t y) const {
    switch (source) {
        case MapSource::None:
            return -1;
        case MapSource::Luminance:
            return luminance.Empty() ? -1 : luminance.Value(x, y);
        case MapSource::Inverse:
            return luminance.Empty() ? -1 : 255 - luminance.Value(x, y);
        case MapSource::File:
            return file.Empty() ? -1 : file.Value(x, y);
    }
    return -1;
}

bool Guides::Keeps(uint32_t draw, int32_t x, int32_t y) const {
    const int32_t g = MapValue(settings.densityMap, x, y);
    if (g < 0) return true;
    // Kept with probability 1 - strength x (255 - g) / 25500.
    return int32_t(draw % 25500u) < 25500 - settings.densityStrength * (255 - g);
}

int32_t Guides::SizePercent(int32_t x, int32_t y) const {
    const int32_t g = MapValue(settings.sizeMap, x, y);
    if (g < 0) return 100;
    return settings.sizeMinimum + (settings.sizeMaximum - settings.sizeMinimum) * g / 255;
}

int32_t Guides::EdgeTurn(int32_t x, int32_t y) const {
    return settings.followEdges && !luminance.Empty() ? luminance.EdgeDegrees(x, y) : 0;
}
