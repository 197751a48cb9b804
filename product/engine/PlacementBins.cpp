#include "product/engine/PlacementBins.h"

#include <algorithm>

namespace {

// The tiles [first, last] a placement's bounds overlap along one axis; first > last for none.
void TileRange(int32_t low, int32_t high, int32_t gridLow, int32_t gridHigh, int32_t size, int32_t* first,
               int32_t* last) {
    const int32_t a = std::max(low, gridLow), b = std::min(high, gridHigh);
    if (a >= b) {
        *first = 1, *last = 0;
        return;
    }
    *first = (a - gridLow) / size;
    *last = (b - 1 - gridLow) / size;
}

}  // namespace

void PlacementBins::Clear() {
    tileSize = columns = rows = 0;
    starts.clear();
    indices.clear();
}

void PlacementBins::Build(const std::vector<Placement>& placements, const OrvRect& area, int32_t size) {
    Clear();
    if (area.IsEmpty() || size <= 0) return;
    grid = area;
    tileSize = size;
    columns = int32_t((int64_t(area.Width()) + size - 1) / size);
    rows = int32_t((int64_t(area.Height()) + size - 1) / size);
    starts.assign(size_t(columns) * size_t(rows) + 1, 0);

    // Count, turn the counts into starts, then fill in list order.
    const auto forEachTile = [&](const Placement& p, auto&& visit) {
        int32_t x0, x1, y0, y1;
        TileRange(p.bounds.left, p.bounds.right, grid.left, grid.right, size, &x0, &x1);
        TileRange(p.bounds.top, p.bounds.bottom, grid.top, grid.bottom, size, &y0, &y1);
        for (int32_t ty = y0; ty <= y1; ++ty)
            for (int32_t tx = x0; tx <= x1; ++tx) visit(size_t(ty) * size_t(columns) + size_t(tx));
    };
    for (const Placement& p : placements) forEachTile(p, [&](size_t tile) { ++starts[tile + 1]; });
    for (size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    indices.resize(starts.back());
    std::vector<uint32_t> next(starts.begin(), starts.end() - 1);
    for (size_t i = 0; i < placements.size(); ++i)
        forEachTile(placements[i], [&](size_t tile) { indices[next[tile]++] = uint32_t(i); });
}

bool PlacementBins::Find(const OrvRect& area, PlacementSpan* span) const {
    if (tileSize <= 0) return false;
    const int32_t dx = area.left - grid.left, dy = area.top - grid.top;
    if (dx < 0 || dy < 0 || dx % tileSize != 0 || dy % tileSize != 0) return false;
    const int32_t tx = dx / tileSize, ty = dy / tileSize;
    if (tx >= columns || ty >= rows) return false;
    const OrvRect tile{area.left, area.top, std::min(area.left + tileSize, grid.right),
                       std::min(area.top + tileSize, grid.bottom)};
    if (area.right != tile.right || area.bottom != tile.bottom) return false;
    const size_t index = size_t(ty) * size_t(columns) + size_t(tx);
    span->indices = indices.data() + starts[index];
    span->count = starts[index + 1] - starts[index];
    return true;
}
