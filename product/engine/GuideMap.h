// Grey maps that guide where copies go and how large they are: the filter area's own
// luminance, reduced by a box filter, or a grey picture stretched over the area. Both are
// read at a copy's centre in full-resolution image coordinates, so the preview and the
// final pass see the same value whatever the zoom or tile being drawn.
#pragma once

#include <cstdint>
#include <vector>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvImage2.h"

struct GreyMap {
    OrvRect area;  // the filter area the map covers
    int32_t width = 0, height = 0;
    int32_t cell = 0;           // a luminance map's cell side in pixels; 0: stretched
    std::vector<uint8_t> grey;  // row by row, top row first

    bool Empty() const { return grey.empty(); }
    // The cell holding image point (x, y); points outside the area take the nearest cell.
    int32_t Column(int32_t x) const;
    int32_t Row(int32_t y) const;
    int32_t At(int32_t column, int32_t row) const;  // clamped to the map
    int32_t Value(int32_t x, int32_t y) const { return At(Column(x), Row(y)); }
    // The contour's direction at (x, y) in whole degrees (0..359, 0 on a flat map): the
    // Sobel gradient of the 3 x 3 cells around it turned a quarter.
    int32_t EdgeDegrees(int32_t x, int32_t y) const;
};

// (299 R + 587 G + 114 B) / 1000, truncated.
inline int32_t GreyOf(int32_t r, int32_t g, int32_t b) { return (299 * r + 587 * g + 114 * b) / 1000; }

// The side of a luminance map's square cells: the area's longer side / 256, rounded up.
int32_t LuminanceCell(const OrvRect& area);

// Builds the luminance map from the area's rows, in any order of strips: each cell is the
// truncated mean grey of the area's pixels inside it.
class LuminanceReducer {
public:
    explicit LuminanceReducer(const OrvRect& area);
    // `count` pixels of image row y from column area.left, R G B first in each pixel.
    void AddRow(int32_t y, const uint8_t* pixels, int32_t count, int32_t bytesPerPixel);
    GreyMap Finish() const;

private:
    GreyMap map;
    std::vector<uint64_t> sums;
    std::vector<uint32_t> counts;
};

// A decoded picture (BGR, BGRA or 8-bit with a colour table) as a map stretched over
// area; empty when the picture has no pixels or a depth it does not know.
GreyMap StretchedMap(const OrvImage2& picture, const OrvRect& area);
