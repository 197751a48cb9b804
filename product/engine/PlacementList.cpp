#include "product/engine/PlacementList.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "product/engine/EffectDerived.h"
#include "product/engine/EvenSpacing.h"
#include "product/engine/MersenneTwister.h"

namespace {

const Placement* FirstOverlap(const std::vector<Placement>& kept, const OrvRect& box) {
    for (const Placement& k : kept) {
        if (Intersects(k.bounds, box)) return &k;
    }
    return nullptr;
}

int32_t ClampByte(int32_t v) { return v < 0 ? 0 : v > 255 ? 255 : v; }

constexpr int32_t kKeepCountAttempts = 8;  // at most this many attempts a copy when keeping the count

}  // namespace

bool PushApart(Placement& placement, const std::vector<Placement>& kept) {
    const Placement* other = FirstOverlap(kept, placement.bounds);
    if (other == nullptr) return true;
    const OrvRect& a = placement.bounds;
    const OrvRect& b = other->bounds;
    const OrvRect common = Intersection(a, b);
    const int32_t dx = common.Width();
    const int32_t dy = common.Height();
    int32_t mx = 0, my = 0;
    if (dx < dy) {
        mx = a.left < b.left ? -dx : dx;
    } else {
        my = a.top < b.top ? -dy : dy;
    }
    placement.bounds = OrvRect{a.left + mx, a.top + my, a.right + mx, a.bottom + my};
    placement.transform.AppendTranslation(mx, my);
    return FirstOverlap(kept, placement.bounds) == nullptr;
}

int32_t ObjectChoice::Pick(uint32_t value) const {
    if (widths.size() == 1) return 0;
    const uint64_t q = value % cumulativeWeights.back();
    return int32_t(std::upper_bound(cumulativeWeights.begin(), cumulativeWeights.end(), q) -
                   cumulativeWeights.begin());
}

std::vector<Placement> BuildPlacements(const EffectParameters& p, const ObjectChoice& objects,
                                       const OrvRect& filterArea, bool wholeImage,
                                       const std::function<bool(const OrvRect&)>& isBoxSelected,
                                       const EffectVariation& variation, const Guides* guides) {
    std::vector<Placement> kept;
    const size_t objectCount = objects.widths.size();
    if (objectCount == 0 || objects.cumulativeWeights.size() != objectCount) return kept;
    if (objectCount > 1 && objects.cumulativeWeights.back() == 0) return kept;

    const double s = p.scale, v = p.randomScale;
    const double u = MeanScale(s, v);
    const OrvRect area =
        PlacementArea(filterArea, objects.meanWidth, objects.meanHeight, u, p.wholeObjectsOnly != 0);
    const int32_t count = CopyCount(area, objects.meanWidth, objects.meanHeight, u, p.density);
    const bool randomScaling = IsRandomScaling(p);
    const bool randomRotation = IsRandomRotation(p);
    MersenneTwister generator(uint32_t(p.randomSeed));
    VariationSource varied(p.randomSeed);
    kept.reserve(size_t(count));
    const Guides unguided;
    const Guides& g = guides != nullptr ? *guides : unguided;
    std::unique_ptr<EvenSpacing> spacing;
    if (g.settings.even) spacing = std::make_unique<EvenSpacing>(p.randomSeed, area, count);
    // Keeping the count: more attempts, until `count` copies pass the density map.
    const bool refill = g.settings.keepCount && g.DensityActive();
    const int32_t attempts = refill ? count * kKeepCountAttempts : count;
    int32_t passed = 0;

    for (int32_t attempt = 0; attempt < attempts && passed < count; ++attempt) {
        Placement placement;
        // Five draws per attempt whatever the options, so that switching one option on
        // changes only what it governs.
        const uint32_t pick = generator.NextU32();
        placement.objectIndex = objects.Pick(pick);
        const int32_t w = objects.widths[size_t(placement.objectIndex)];
        const int32_t h = objects.heights[size_t(placement.objectIndex)];

        double angle = p.rotationAngle;
        if (randomRotation) {
            angle = CopyAngle(p.rotationAngle, p.randomRotation, generator.NextReal());
        } else {
            generator.NextU32();
        }

        double k = s;
        placement.opacity = p.opacity;
        placement.desaturation = 0;
        if (randomScaling) {
            const double r = generator.NextReal();
            placement.depth = r;
            k = CopyScale(s, v, r);
            if (p.fadeWithDepth) {
                const int32_t f = ClampByte(127 - int32_t(std::trunc(r * -128.0)));
                placement.opacity = (int32_t(p.opacity) * f) / 255;
            }
            if (p.desaturateWithDepth)
                placement.desaturation = ClampByte(255 - int32_t(std::trunc(r * 255.0)));
        } else {
            generator.NextU32();
        }

        int32_t x = generator.NextInRange(area.left, area.right);
        int32_t y = generator.NextInRange(area.top, area.bottom);
        const CopyVariation own = varied.Next(variation);
        // The copy's centre before the size map: its point plus half the scaled object.
        const OrvPoint offset{int32_t(k * double(w / 2)), int32_t(k * double(h / 2))};
        if (spacing) {
            const OrvPoint chosen = spacing->Choose(OrvPoint{x, y}, offset);
            x = chosen.x, y = chosen.y;
        }
        const int32_t cx = x + offset.x, cy = y + offset.y;
        if (!g.Keeps(own.keepDraw, cx, cy)) continue;
        ++passed;
        const int32_t percent = g.SizePercent(cx, cy);
        if (percent != 100) k = k * double(percent) / 100.0;
        if (g.settings.followEdges) angle += g.EdgeTurn(cx, cy);
        placement.opacity -= placement.opacity * own.opacityCut / 10000;
        placement.hueShift = own.hueShift;
        placement.brightness = own.brightness;

        Matrix3& m = placement.transform;
        m = Matrix3::Identity();
        m.AppendTranslation(-(w / 2), -(h / 2));
        m.AppendRotation(-angle);
        m.AppendTranslation(w / 2, h / 2);
        m.AppendScaling(k, k);
        m.AppendTranslation(x, y);
        placement.bounds = m.MapBox(OrvRect{0, 0, w, h});

        bool keep = !p.noOverlap || PushApart(placement, kept);
        if (keep && p.wholeObjectsOnly) {
            keep = Contains(filterArea, placement.bounds) && (wholeImage || isBoxSelected(placement.bounds));
        }
        placement.flip = own.flip;
        if (keep && m.Invert()) {
            kept.push_back(placement);
            if (spacing) spacing->Add(OrvPoint{cx, cy});
        }
    }

    // Far copies first; equal depths keep their attempt order on every platform.
    if (randomScaling && p.orderByDepth) {
        std::stable_sort(kept.begin(), kept.end(),
                         [](const Placement& a, const Placement& b) { return a.depth < b.depth; });
    }
    return kept;
}
