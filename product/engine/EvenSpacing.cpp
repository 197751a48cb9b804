#include "product/engine/EvenSpacing.h"

#include <algorithm>
#include <cmath>
#include <limits>

EvenSpacing::EvenSpacing(int32_t seed, const OrvRect& drawArea, int32_t count)
    : generator(uint32_t(seed) ^ 0x45564E53u), area(drawArea) {
    const double w = std::max(1, area.Width() + 1), h = std::max(1, area.Height() + 1);
    // About one kept centre a cell; the cell size only changes the speed, never the result.
    cell = std::max(1, int32_t(std::sqrt(w * h / std::max(1, count))));
    columns = std::min(4096, int32_t(w / cell) + 1);
    rows = std::min(4096, int32_t(h / cell) + 1);
    cells.resize(size_t(columns) * size_t(rows));
}

int32_t EvenSpacing::CellOf(int32_t v, int32_t origin, int32_t count) const {
    const int64_t d = int64_t(v) - origin;
    if (d < 0) return 0;
    return int32_t(std::min<int64_t>(d / cell, count - 1));
}

int64_t EvenSpacing::Nearest(OrvPoint p, int64_t beat) const {
    int64_t best = std::numeric_limits<int64_t>::max();
    if (!any) return best;
    const int32_t cx = CellOf(p.x, area.left, columns), cy = CellOf(p.y, area.top, rows);
    const int32_t rings = std::max(columns, rows);
    for (int32_t r = 0; r <= rings; ++r) {
        // A centre r cells away on either axis lies at least (r - 1) cells away: clamping
        // the cells of points outside the grid only brings them nearer.
        const int64_t reach = int64_t(std::max(0, r - 1)) * cell;
        if (best <= reach * reach || best <= beat) break;
        for (int32_t y = cy - r; y <= cy + r; ++y) {
            if (y < 0 || y >= rows) continue;
            const bool edge = y == cy - r || y == cy + r;
            for (int32_t x = cx - r; x <= cx + r; x += (edge || r == 0) ? 1 : 2 * r) {
                if (x < 0 || x >= columns) continue;
                for (const OrvPoint& q : cells[size_t(y) * size_t(columns) + size_t(x)]) {
                    const int64_t dx = int64_t(q.x) - p.x, dy = int64_t(q.y) - p.y;
                    best = std::min(best, dx * dx + dy * dy);
                }
            }
        }
    }
    return best;
}

OrvPoint EvenSpacing::Choose(OrvPoint first, OrvPoint offset) {
    OrvPoint chosen = first;
    int64_t far = Nearest(OrvPoint{first.x + offset.x, first.y + offset.y}, -1);
    for (int k = 1; k < kCandidates; ++k) {
        const int32_t x = generator.NextInRange(area.left, area.right);
        const int32_t y = generator.NextInRange(area.top, area.bottom);
        // Strictly farther only: of equals the earlier candidate stays.
        const int64_t d = Nearest(OrvPoint{x + offset.x, y + offset.y}, far);
        if (d > far) chosen = OrvPoint{x, y}, far = d;
    }
    return chosen;
}

void EvenSpacing::Add(OrvPoint centre) {
    any = true;
    cells[size_t(CellOf(centre.y, area.top, rows)) * size_t(columns) +
          size_t(CellOf(centre.x, area.left, columns))]
        .push_back(centre);
}
