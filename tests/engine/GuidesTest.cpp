// Guides: the maps' arithmetic, the exact nearest search of even spacing, and that a
// density map drops copies without moving one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

#include "product/engine/EffectDerived.h"
#include "product/engine/EvenSpacing.h"
#include "product/engine/MersenneTwister.h"
#include "product/engine/PlacementList.h"

namespace {

// A w x h luminance map of the area {0, 0, w, h} with cell 1, grey from f(x, y).
template <typename F>
GreyMap Map(int32_t w, int32_t h, F f) {
    GreyMap m;
    m.area = OrvRect{0, 0, w, h};
    m.width = w, m.height = h, m.cell = 1;
    for (int32_t y = 0; y < h; ++y)
        for (int32_t x = 0; x < w; ++x) m.grey.push_back(uint8_t(f(x, y)));
    return m;
}

TEST(GuidesTest, MapsReduceStretchAndTurnAsStated) {
    // 600 x 10: cells of 3 pixels, red 255 (grey 76) in one pixel of three.
    LuminanceReducer reducer(OrvRect{100, 50, 700, 60});
    std::vector<uint8_t> row(600 * 3);
    for (int32_t x = 0; x < 600; x += 3) row[size_t(x) * 3] = 255;
    for (int32_t y = 50; y < 60; ++y) reducer.AddRow(y, row.data(), 600, 3);
    const GreyMap lum = reducer.Finish();
    EXPECT_EQ(std::make_tuple(lum.cell, lum.width, lum.height), std::make_tuple(3, 200, 4));
    EXPECT_EQ(lum.Value(100, 50), 76 / 3);
    EXPECT_EQ(std::make_pair(lum.Column(99), lum.Column(10000)), std::make_pair(0, 199));  // the nearest cell

    OrvImage2 picture;  // 4 x 2, BGR, stretched over 100 x 10: green 200 is grey 117
    picture.Create(4, 2, 24, nullptr);
    picture.PixelAddress(3, 1)[1] = 200;
    const GreyMap file = StretchedMap(picture, OrvRect{0, 0, 100, 10});
    EXPECT_EQ(std::make_tuple(file.Value(75, 5), file.Value(74, 5), file.Value(75, 4)),
              std::make_tuple(117, 0, 0));

    const std::pair<int (*)(int32_t, int32_t), int32_t> edges[] = {
        {[](int32_t, int32_t y) { return y * 20; }, 0},  // lighter downwards: upright
        {[](int32_t, int32_t y) { return 200 - y * 20; }, 180},
        {[](int32_t x, int32_t) { return x * 20; }, 270},
        {[](int32_t x, int32_t y) { return (x + y) * 10; }, 315},
        {[](int32_t, int32_t) { return 90; }, 0},  // flat
    };
    for (const auto& [grey, degrees] : edges) EXPECT_EQ(Map(9, 9, grey).EdgeDegrees(4, 4), degrees);
}

TEST(GuidesTest, DensityAndSizeReadTheMapAsStated) {
    Guides g;
    g.luminance = Map(2, 1, [](int32_t x, int32_t) { return x == 0 ? 0 : 255; });
    struct Case {
        MapSource source;
        int32_t strength, x;
        uint32_t draw;
        bool kept;
    };
    const Case cases[] = {
        {MapSource::Luminance, 100, 0, 0, false},     // black at full strength: never
        {MapSource::Inverse, 100, 0, 25499, true},    // white: always
        {MapSource::Luminance, 40, 0, 15299, true},   // kept below 25500 - 40 x 255
        {MapSource::Luminance, 40, 0, 15300, false},  //
        {MapSource::File, 100, 0, 0, true},           // no file read: no map
    };
    for (const Case& c : cases) {
        g.settings.densityMap = c.source;
        g.settings.densityStrength = c.strength;
        EXPECT_EQ(g.Keeps(c.draw, c.x, 0), c.kept) << int(c.source) << " " << c.strength << " " << c.draw;
    }
    g.settings.sizeMap = MapSource::Inverse;
    g.settings.sizeMinimum = 300, g.settings.sizeMaximum = 60;
    EXPECT_EQ(std::make_pair(g.SizePercent(0, 0), g.SizePercent(1, 0)), std::make_pair(60, 300));
}

TEST(GuidesTest, EvenSpacingFindsTheNearestCentreExactly) {
    for (const OrvRect& area : {OrvRect{0, 0, 600, 400}, OrvRect{-50, 30, 9, 2000}}) {
        EvenSpacing spacing(7, area, 300);
        std::vector<OrvPoint> added;
        MersenneTwister r(99);
        for (int i = 0; i < 400; ++i) {
            // Some centres lie outside the area, as those of large copies do.
            const OrvPoint q{r.NextInRange(area.left - 80, area.right + 80),
                             r.NextInRange(area.top - 80, area.bottom + 80)};
            int64_t brute = std::numeric_limits<int64_t>::max();
            for (const OrvPoint& a : added)
                brute = std::min(brute, int64_t(a.x - q.x) * (a.x - q.x) + int64_t(a.y - q.y) * (a.y - q.y));
            ASSERT_EQ(spacing.Nearest(q, -1), brute) << i;
            if (i % 2 == 0) spacing.Add(q), added.push_back(q);
        }
    }
}

// The closest two copies' corners, squared: what even spacing raises.
int64_t Closest(const std::vector<Placement>& list) {
    EvenSpacing corners(1, OrvRect{0, 0, 400, 300}, 400);
    int64_t best = std::numeric_limits<int64_t>::max();
    for (const Placement& copy : list) {
        best = std::min(best, corners.Nearest(OrvPoint{copy.bounds.left, copy.bounds.top}, -1));
        corners.Add(OrvPoint{copy.bounds.left, copy.bounds.top});
    }
    return best;
}

bool Same(const Placement& a, const Placement& b) {
    return a.bounds == b.bounds && std::memcmp(&a.transform, &b.transform, sizeof(Matrix3)) == 0;
}

TEST(GuidesTest, GuidesDropScaleAndSpreadCopiesWithoutMovingOthers) {
    ObjectChoice one;
    one.widths = one.heights = {10};
    one.cumulativeWeights = {1};
    one.meanWidth = one.meanHeight = 10;
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    p.density = 4;  // 400 copies
    p.randomRotation = 30;
    p.randomScale = 1.5;
    p = SanitizedEffectParameters(p);
    Guides g;
    const auto build = [&] {
        return BuildPlacements(
            p, one, OrvRect{0, 0, 400, 300}, true, [](const OrvRect&) { return true; }, {}, &g);
    };
    const std::vector<Placement> plain = build();

    // Black on the left half: the copies kept are those of the plain list on the right, untouched.
    g.settings.densityMap = MapSource::Luminance;
    g.luminance = Map(2, 1, [](int32_t x, int32_t) { return x == 0 ? 0 : 255; });
    g.luminance.cell = 200;
    const std::vector<Placement> thinned = build();
    size_t at = 0;
    for (const Placement& copy : thinned) {
        while (at < plain.size() && !Same(plain[at], copy)) ++at;
        ASSERT_LT(at, plain.size()) << "a kept copy moved";
        EXPECT_GE(copy.bounds.left + 5, 190) << "a copy centred in the black half";
    }
    EXPECT_LT(thinned.size(), plain.size() * 2 / 3);
    g.settings.keepCount = true;
    EXPECT_EQ(build().size(), plain.size());

    // Size: the white half's copies at 200 %; even spacing keeps copies further apart.
    g.settings = GuideSettings{};
    g.settings.sizeMap = MapSource::Luminance;
    g.settings.sizeMinimum = 100, g.settings.sizeMaximum = 200;
    const std::vector<Placement> sized = build();
    int32_t grown = 0;
    for (size_t i = 0; i < plain.size(); ++i) grown += sized[i].bounds.Width() > plain[i].bounds.Width() + 5;
    EXPECT_GT(grown, int32_t(plain.size()) / 4);
    g.settings = GuideSettings{};
    g.settings.even = true;
    EXPECT_GT(Closest(build()), 4 * Closest(plain));
}

}  // namespace
