// Guides: the picture steering the scatter. A density map keeps or drops each copy by the
// variation generator's keep draw, a size map scales it, even spacing moves it away from
// the copies kept so far, and following the edges turns it along the picture's contours.
// All are off by default, and off they leave every copy as before, bit for bit.
#pragma once

#include <cstdint>

#include "product/engine/GuideMap.h"
#include "product/engine/GuideSettings.h"

// The settings with the maps they read; a map that is empty turns its guide off.
struct Guides {
    GuideSettings settings;
    GreyMap luminance;  // of the filter area, when a guide needs it
    GreyMap file;       // the map file, when a guide names it and it could be read

    // 0..255 at image point (x, y), or -1 when the source gives no map.
    int32_t MapValue(MapSource source, int32_t x, int32_t y) const;
    // Whether a copy centred at (x, y) survives the density map with this keep draw.
    bool Keeps(uint32_t draw, int32_t x, int32_t y) const;
    // The size map's factor at (x, y) in percent, 100 without a map.
    int32_t SizePercent(int32_t x, int32_t y) const;
    // The turn towards the contour at (x, y) in degrees, 0 when not following edges.
    int32_t EdgeTurn(int32_t x, int32_t y) const;
    bool DensityActive() const { return settings.densityMap != MapSource::None; }
};
