#include "OrvLib/controls/SliderTicks.h"

#include <algorithm>

namespace {

OrvRect Union(const OrvRect& a, const OrvRect& b) {
    if (a.IsEmpty()) return b;
    if (b.IsEmpty()) return a;
    return OrvRect{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                   std::max(a.bottom, b.bottom)};
}

// How far a point lies outside a rectangle along each axis (0 inside).
int32_t Outside(int32_t v, int32_t low, int32_t high) {
    return v < low ? low - v : (v >= high ? v - high + 1 : 0);
}

}  // namespace

int32_t SliderTicks::Add(const SliderTick& tick) {
    ticks.push_back(tick);
    return Count() - 1;
}

void SliderTicks::PlaceOne(const SliderModel& slider, const Measure& measure, int32_t tick,
                           const SliderTick& t) {
    if (t.offset < 0 || t.offset > slider.RangeLength()) return;
    const SliderGeometry& g = slider.Geometry();
    int32_t x = slider.OffsetToPixel(t.offset);
    if (tick < 0 && !placed.empty() && x - lastMark < kMinSpacing) {
        // The last value keeps its mark: the one before it gives way.
        if (t.offset != slider.RangeLength()) return;
        placed.pop_back();
    }
    PlacedTick p;
    p.tick = tick;
    p.offset = t.offset;
    int32_t length = t.length > 0 ? t.length : kDefaultLength;
    bool above = (t.flags & TickFlag::kAbove) != 0;
    bool below = (t.flags & TickFlag::kBelow) != 0 || !above;
    if (below) p.below = OrvRect{x, g.thumb.bottom + kGap, x + 1, g.thumb.bottom + kGap + length};
    if (above) p.above = OrvRect{x, g.thumb.top - kGap - length, x + 1, g.thumb.top - kGap};
    if (t.flags & TickFlag::kLabel) {
        p.text =
            t.label.empty() ? std::to_string(static_cast<int64_t>(slider.Minimum()) + t.offset) : t.label;
        OrvSize size = measure(p.text);
        int32_t left = x - size.width / 2;
        left = std::max(g.whole.left, std::min(left, g.whole.right - size.width));
        int32_t top = below ? p.below.bottom + 1 : p.above.top - 1 - size.height;
        OrvRect label{left, top, left + size.width + 1, top + size.height};
        bool free = std::none_of(placed.begin(), placed.end(),
                                 [&](const PlacedTick& q) { return Intersects(q.label, label); });
        if (free) p.label = OrvRect{left, top, left + size.width, top + size.height};
    }
    lastMark = x;
    placed.push_back(p);
}

void SliderTicks::Place(const SliderModel& slider, const Measure& measure) {
    placed.clear();
    lastMark = 0;
    if (automatic) {
        SliderTick t;
        t.flags = automaticFlags;
        // Every value, but no more of them than the channel has pixels: a range of millions
        // on a few hundred pixels visits a few hundred offsets.
        int64_t length = slider.RangeLength();
        int64_t step = std::max<int64_t>(1, length / std::max(1, slider.Geometry().channel.Width()));
        for (t.offset = 0; t.offset <= length; t.offset += step) {
            if (t.offset + step > length) t.offset = length;
            PlaceOne(slider, measure, -1, t);
        }
    }
    for (int32_t i = 0; i < Count(); ++i) PlaceOne(slider, measure, i, ticks[static_cast<size_t>(i)]);
}

int32_t SliderTicks::HitTest(OrvPoint p) const {
    int32_t best = -1, bestDistance = kHitDistance + 1;
    for (size_t i = 0; i < placed.size(); ++i) {
        for (const OrvRect* mark : {&placed[i].below, &placed[i].above}) {
            if (mark->IsEmpty()) continue;
            int32_t dx = Outside(p.x, mark->left, mark->right), dy = Outside(p.y, mark->top, mark->bottom);
            if (dy <= kHitDistance && dx < bestDistance) {
                best = static_cast<int32_t>(i);
                bestDistance = dx;
            }
        }
    }
    return best;
}

OrvRect SliderTicks::Extent(int32_t index) const {
    const PlacedTick& p = placed[static_cast<size_t>(index)];
    return Union(Union(p.below, p.above), p.label);
}
