// Guides: the maps' arithmetic, the exact nearest search of even spacing, and that a
// density map drops copies without moving one.
#include <gtest/gtest.h>

#include <cstring>
#include <limits>
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
    // 600 x 10: cells of 3 pixels; the last column of cells holds the area's last pixels.
    LuminanceReducer reducer(OrvRect{100, 50, 700, 60});
    std::vector<uint8_t> row(600 * 3);
    for (int32_t x = 0; x < 600; ++x) row[size_t(x) * 3] = uint8_t(x % 3 == 0 ? 255 : 0);  // red only
    for (int32_t y = 50; y < 60; ++y) reducer.AddRow(y, row.data(), 600, 3);
    const GreyMap lum = reducer.Finish();
    EXPECT_EQ(lum.cell, 3);
    EXPECT_EQ(lum.width, 200);
    EXPECT_EQ(lum.height, 4);
    EXPECT_EQ(lum.Value(100, 50), 76 / 3);  // red 255 is grey 76, one pixel of three
    EXPECT_EQ(lum.Column(99), 0);           // outside: the nearest cell
    EXPECT_EQ(lum.Column(10000), 199);

    OrvImage2 picture;  // 4 x 2, BGR: stretched over 0..100 x 0..10
    picture.Create(4, 2, 24, nullptr);
    picture.PixelAddress(3, 1)[1] = 200;  // green 200 -> 117
    const GreyMap file = StretchedMap(picture, OrvRect{0, 0, 100, 10});
    EXPECT_EQ(file.Value(75, 5), 117);
    EXPECT_EQ(file.Value(74, 5), 0);
    EXPECT_EQ(file.Value(75, 4), 0);

    struct Edge {
        int (*grey)(int32_t, int32_t);
        int32_t degrees;
    };
    const Edge edges[] = {
        {[](int32_t, int32_t y) { return y * 20; }, 0},  // lighter downwards: upright
        {[](int32_t, int32_t y) { return 200 - y * 20; }, 180},
        {[](int32_t x, int32_t) { return x * 20; }, 270},  // lighter to the right
        {[](int32_t x, int32_t y) { return (x + y) * 10; }, 315},
        {[](int32_t, int32_t) { return 90; }, 0},  // flat
    };
    for (const Edge& e : edges) EXPECT_EQ(Map(9, 9, e.grey).EdgeDegrees(4, 4), e.degrees);
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
        {MapSource::Luminance, 100, 1, 25499, true},  // white: always
        {MapSource::Inverse, 100, 1, 0, false},
        {MapSource::Luminance, 0, 0, 25499, true},   // no strength: always
        {MapSource::Luminance, 40, 0, 15299, true},  // kept below 25500 - 40 x 255
        {MapSource::Luminance, 40, 0, 15300, false},
        {MapSource::File, 100, 0, 0, true},  // no file read: no map
    };
    for (const Case& c : cases) {
        g.settings.densityMap = c.source;
        g.settings.densityStrength = c.strength;
        EXPECT_EQ(g.Keeps(c.draw, c.x, 0), c.kept) << int(c.source) << " " << c.strength << " " << c.draw;
    }
    g.settings.sizeMap = MapSource::Inverse;
    g.settings.sizeMinimum = 300, g.settings.sizeMaximum = 60;
    EXPECT_EQ(g.SizePercent(0, 0), 60);
    EXPECT_EQ(g.SizePercent(1, 0), 300);
    g.settings.sizeMap = MapSource::None;
    EXPECT_EQ(g.SizePercent(0, 0), 100);
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
            for (const OrvPoint& a : added) {
                const int64_t dx = a.x - q.x, dy = a.y - q.y;
                brute = std::min(brute, dx * dx + dy * dy);
            }
            ASSERT_EQ(spacing.Nearest(q, -1), brute) << i;
            if (i % 2 == 0) spacing.Add(q), added.push_back(q);
        }
    }
}

ObjectChoice One() {
    ObjectChoice c;
    c.widths = {10};
    c.heights = {10};
    c.cumulativeWeights = {1};
    c.meanWidth = c.meanHeight = 10;
    return c;
}

EffectParameters Settings() {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    p.density = 4;  // 400 copies
    p.randomSeed = 5;
    p.randomRotation = 30;
    p.randomScale = 1.5;
    return SanitizedEffectParameters(p);
}

// The smallest distance between two copies' corners: what even spacing raises.
int64_t Closest(const std::vector<Placement>& list) {
    int64_t best = std::numeric_limits<int64_t>::max();
    for (size_t i = 0; i < list.size(); ++i)
        for (size_t j = i + 1; j < list.size(); ++j) {
            const int64_t dx = list[i].bounds.left - list[j].bounds.left,
                          dy = list[i].bounds.top - list[j].bounds.top;
            best = std::min(best, dx * dx + dy * dy);
        }
    return best;
}

TEST(GuidesTest, GuidesDropScaleAndSpreadCopiesWithoutMovingOthers) {
    const auto select = [](const OrvRect&) { return true; };
    const OrvRect area{0, 0, 400, 300};
    const EffectParameters p = Settings();
    const std::vector<Placement> plain = BuildPlacements(p, One(), area, true, select);
    Guides off;  // every guide at its default: the unguided list, bit for bit
    const std::vector<Placement> same = BuildPlacements(p, One(), area, true, select, {}, &off);
    ASSERT_EQ(same.size(), plain.size());
    for (size_t i = 0; i < plain.size(); ++i)
        ASSERT_EQ(std::memcmp(&same[i].transform, &plain[i].transform, sizeof(Matrix3)), 0) << i;

    // Dark on the left half: the copies kept there are a subset of the plain list, untouched.
    Guides dark;
    dark.settings.densityMap = MapSource::Luminance;
    dark.luminance = Map(2, 1, [](int32_t x, int32_t) { return x == 0 ? 0 : 255; });
    dark.luminance.cell = 200;
    const std::vector<Placement> thinned = BuildPlacements(p, One(), area, true, select, {}, &dark);
    size_t at = 0;
    for (const Placement& copy : thinned) {
        while (at < plain.size() && plain[at].bounds != copy.bounds) ++at;
        ASSERT_LT(at, plain.size()) << "a kept copy moved";
        EXPECT_EQ(std::memcmp(&copy.transform, &plain[at].transform, sizeof(Matrix3)), 0);
        EXPECT_GE(copy.bounds.left + 5, 190) << "a copy centred in the black half";
    }
    EXPECT_LT(thinned.size(), plain.size() * 2 / 3);
    dark.settings.keepCount = true;
    EXPECT_EQ(BuildPlacements(p, One(), area, true, select, {}, &dark).size(), plain.size());

    // Size: the white half's copies at 200 %; even spacing keeps copies further apart.
    dark.settings = GuideSettings{};
    dark.settings.sizeMap = MapSource::Luminance;
    dark.settings.sizeMinimum = 100, dark.settings.sizeMaximum = 200;
    const std::vector<Placement> sized = BuildPlacements(p, One(), area, true, select, {}, &dark);
    ASSERT_EQ(sized.size(), plain.size());
    int32_t grown = 0;
    for (size_t i = 0; i < plain.size(); ++i) grown += sized[i].bounds.Width() > plain[i].bounds.Width() + 5;
    EXPECT_GT(grown, int32_t(plain.size()) / 4);
    Guides even;
    even.settings.even = true;
    const std::vector<Placement> spread = BuildPlacements(p, One(), area, true, select, {}, &even);
    ASSERT_EQ(spread.size(), plain.size());
    EXPECT_GT(Closest(spread), 4 * Closest(plain));
}

}  // namespace
