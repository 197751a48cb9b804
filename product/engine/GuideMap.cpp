#include "product/engine/GuideMap.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "OrvLib/image/OrvBitmapTypes.h"
#include "product/engine/PortableMath.h"

namespace {

int32_t Clamp(int64_t v, int32_t last) { return v < 0 ? 0 : v > last ? last : int32_t(v); }

// Unit vectors of the whole degrees times 2^16, from the correctly rounded cosine and sine,
// so that every build picks the same degree.
struct DirectionTable {
    std::array<int32_t, 360> c, s;
    DirectionTable() {
        for (int32_t a = 0; a < 360; ++a) {
            const double phi = a * 3.14159265358979323846 / 180.0;
            c[size_t(a)] = int32_t(std::floor(PortableMath::Cos(phi) * 65536.0 + 0.5));
            s[size_t(a)] = int32_t(std::floor(PortableMath::Sin(phi) * 65536.0 + 0.5));
        }
    }
};

}  // namespace

int32_t GreyMap::Column(int32_t x) const {
    const int64_t dx = int64_t(x) - area.left;
    if (dx < 0 || width <= 0) return 0;
    return Clamp(cell > 0 ? dx / cell : dx * width / std::max(1, area.Width()), width - 1);
}

int32_t GreyMap::Row(int32_t y) const {
    const int64_t dy = int64_t(y) - area.top;
    if (dy < 0 || height <= 0) return 0;
    return Clamp(cell > 0 ? dy / cell : dy * height / std::max(1, area.Height()), height - 1);
}

int32_t GreyMap::At(int32_t column, int32_t row) const {
    if (Empty()) return 0;
    return grey[size_t(Clamp(row, height - 1)) * size_t(width) + size_t(Clamp(column, width - 1))];
}

int32_t GreyMap::EdgeDegrees(int32_t x, int32_t y) const {
    static const DirectionTable table;
    const int32_t i = Column(x), j = Row(y);
    const auto p = [&](int32_t di, int32_t dj) { return At(i + di, j + dj); };
    const int64_t gx = (p(1, -1) + 2 * p(1, 0) + p(1, 1)) - (p(-1, -1) + 2 * p(-1, 0) + p(-1, 1));
    const int64_t gy = (p(-1, 1) + 2 * p(0, 1) + p(1, 1)) - (p(-1, -1) + 2 * p(0, -1) + p(1, -1));
    if (gx == 0 && gy == 0) return 0;
    // The contour runs across the gradient: (gy, -gx), so that where the picture grows
    // lighter downwards, as a sky does, copies stay upright. The degree whose unit vector
    // lies closest to it wins; of equals the smallest.
    const int64_t tx = gy, ty = -gx;
    int32_t best = 0;
    int64_t bestDot = tx * table.c[0] + ty * table.s[0];
    for (int32_t a = 1; a < 360; ++a) {
        const int64_t dot = tx * table.c[size_t(a)] + ty * table.s[size_t(a)];
        if (dot > bestDot) best = a, bestDot = dot;
    }
    return best;
}

int32_t LuminanceCell(const OrvRect& area) {
    const int32_t side = std::max(area.Width(), area.Height());
    return std::max(1, (side + 255) / 256);
}

LuminanceReducer::LuminanceReducer(const OrvRect& area) {
    if (area.IsEmpty()) return;
    map.area = area;
    map.cell = LuminanceCell(area);
    map.width = (area.Width() + map.cell - 1) / map.cell;
    map.height = (area.Height() + map.cell - 1) / map.cell;
    sums.assign(size_t(map.width) * size_t(map.height), 0);
    counts.assign(sums.size(), 0);
}

void LuminanceReducer::AddRow(int32_t y, const uint8_t* pixels, int32_t count, int32_t bytesPerPixel) {
    if (sums.empty() || y < map.area.top || y >= map.area.bottom) return;
    const size_t row = size_t((y - map.area.top) / map.cell) * size_t(map.width);
    count = std::min(count, map.area.Width());
    for (int32_t x = 0; x < count; ++x, pixels += bytesPerPixel) {
        const size_t k = row + size_t(x / map.cell);
        sums[k] += uint64_t(GreyOf(pixels[0], pixels[1], pixels[2]));
        ++counts[k];
    }
}

GreyMap LuminanceReducer::Finish() const {
    GreyMap done = map;
    done.grey.resize(sums.size());
    for (size_t k = 0; k < sums.size(); ++k) done.grey[k] = uint8_t(counts[k] == 0 ? 0 : sums[k] / counts[k]);
    return done;
}

GreyMap StretchedMap(const OrvImage2& picture, const OrvRect& area) {
    GreyMap map;
    const int32_t w = picture.Width(), h = picture.AbsHeight(), bits = picture.BitCount();
    if (w <= 0 || h <= 0 || area.IsEmpty() || (bits != 8 && bits != 24 && bits != 32)) return map;
    map.area = area;
    map.width = w;
    map.height = h;
    map.grey.resize(size_t(w) * size_t(h));
    for (int32_t y = 0; y < h; ++y) {
        const uint8_t* p = picture.PixelAddress(0, y);
        if (p == nullptr) return GreyMap{};
        uint8_t* out = &map.grey[size_t(y) * size_t(w)];
        for (int32_t x = 0; x < w; ++x) {
            if (bits == 8) {
                const OrvColour c = picture.TableColour(p[x]);
                out[x] = uint8_t(c == kOrvNoColour ? 0 : GreyOf(OrvRed(c), OrvGreen(c), OrvBlue(c)));
            } else {
                const uint8_t* q = p + size_t(x) * size_t(bits / 8);
                out[x] = uint8_t(GreyOf(q[2], q[1], q[0]));  // stored blue first
            }
        }
    }
    return map;
}
