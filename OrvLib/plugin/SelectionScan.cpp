#include "OrvLib/plugin/SelectionScan.h"

#include <algorithm>

namespace {

OrvRect Union(const OrvRect& a, const OrvRect& b) {
    return OrvRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
}

}  // namespace

MaskScan ScanMaskTile(const uint8_t* data, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      int32_t rowBytes) {
    MaskScan scan;
    bool haveBounds = false;
    for (int32_t y = top; y < bottom; ++y) {
        const uint8_t* row = data + int64_t(y - top) * rowBytes;
        bool haveRun = false;
        int32_t runStart = 0, runEnd = 0;
        for (int32_t x = left; x < right; ++x) {
            const uint8_t v = row[x - left];
            if (v == 0) continue;
            if (v != 255) scan.plain = false;
            if (!haveRun) {
                haveRun = true;
                runStart = x;
                runEnd = x + 1;
            } else if (x == runEnd) {
                ++runEnd;
            } else {
                scan.plain = false;
                runEnd = x + 1;
            }
        }
        if (!haveRun) continue;
        if (!haveBounds) {
            haveBounds = true;
            scan.bounds = OrvRect{runStart, y, runEnd, y + 1};
        } else if (runStart == scan.bounds.left && runEnd == scan.bounds.right && y == scan.bounds.bottom) {
            ++scan.bounds.bottom;
        } else {
            scan.plain = false;
            scan.bounds = Union(scan.bounds, OrvRect{runStart, y, runEnd, y + 1});
        }
    }
    return scan;
}

void SelectionBoundsBuilder::BeginBand() {
    EndBand();
    haveBand = false;
}

void SelectionBoundsBuilder::AddTile(const MaskScan& tile) {
    if (!tile.plain) result.plain = false;
    if (tile.bounds.IsEmpty()) return;
    const OrvRect& b = tile.bounds;
    if (!haveBand) {
        band = b;
        haveBand = true;
    } else if (b.top == band.top && b.bottom == band.bottom && b.left == band.right) {
        band.right = b.right;
    } else {
        result.plain = false;
        band = Union(band, b);
    }
}

void SelectionBoundsBuilder::EndBand() {
    if (!haveBand) return;
    if (!haveResult) {
        result.bounds = band;
        haveResult = true;
    } else if (band.left == result.bounds.left && band.right == result.bounds.right &&
               band.top == result.bounds.bottom) {
        result.bounds.bottom = band.bottom;
    } else {
        result.plain = false;
        result.bounds = Union(result.bounds, band);
    }
    haveBand = false;
}

MaskScan SelectionBoundsBuilder::Finish() {
    EndBand();
    return result;
}
