// The placement list: counts, the five draws per attempt, and the rules that keep or
// drop a copy.
#include <gtest/gtest.h>

#include <cstring>

#include "product/engine/EffectDerived.h"
#include "product/engine/PlacementList.h"

namespace {

EffectParameters Defaults() {
    EffectParameters p;
    std::memset(&p, 0, sizeof p);
    ResetEffectParameters(p);
    return p;
}

ObjectChoice One(int32_t w, int32_t h) {
    ObjectChoice c;
    c.widths = {w};
    c.heights = {h};
    c.cumulativeWeights = {10};
    c.meanWidth = w;
    c.meanHeight = h;
    return c;
}

std::vector<Placement> Place(
    const EffectParameters& p, const ObjectChoice& c, OrvRect area = {0, 0, 400, 300}, bool wholeImage = true,
    std::function<bool(const OrvRect&)> selected = [](const OrvRect&) { return true; }) {
    return BuildPlacements(SanitizedEffectParameters(p), c, area, wholeImage, selected);
}

// Where the copy's object centre lands in the image.
Point2 Centre(const Placement& placement, int32_t w, int32_t h) {
    Matrix3 forward = placement.transform;
    EXPECT_TRUE(forward.Invert());
    return forward.MapPoint(w / 2, h / 2);
}

TEST(PlacementListTest, CountsFollowAreaDensityAndTheCap) {
    EffectParameters p = Defaults();
    // 400 x 300 and a 20 x 20 object, which may hang in from the left and top: the
    // positions come from 420 x 320, n = 134400 * 10 / 400 = 3360 at density 100.
    p.density = 100;
    EXPECT_EQ(Place(p, One(20, 20)).size(), 3360u);
    p.density = 10;
    EXPECT_EQ(Place(p, One(20, 20)).size(), 336u);
    p.density = 1;
    EXPECT_EQ(Place(p, One(200, 200), {0, 0, 10, 10}).size(), 1u) << "at least one copy";
    p.density = 100;
    EXPECT_EQ(Place(p, One(10, 10), {0, 0, 10000, 10000}).size(), 10000u);
    p.density = 2000000000;
    EXPECT_EQ(Place(p, One(10, 10), {0, 0, 10000, 10000}).size(), 10000u) << "a hostile density is held";
}

TEST(PlacementListTest, FiveDrawsPerAttemptWhateverTheOptions) {
    EffectParameters p = Defaults();
    p.density = 50;
    const std::vector<Placement> plain = Place(p, One(16, 12));
    p.randomRotation = 90;
    const std::vector<Placement> rotated = Place(p, One(16, 12));
    ASSERT_EQ(plain.size(), rotated.size());
    int differentBounds = 0;
    for (size_t i = 0; i < plain.size(); ++i) {
        const Point2 a = Centre(plain[i], 16, 12), b = Centre(rotated[i], 16, 12);
        EXPECT_NEAR(a.x, b.x, 1e-9);
        EXPECT_NEAR(a.y, b.y, 1e-9);
        differentBounds += plain[i].bounds != rotated[i].bounds;
    }
    EXPECT_GT(differentBounds, int(plain.size()) / 2) << "the angles did change";
}

TEST(PlacementListTest, SeedZeroIsSeedOne) {
    EffectParameters p = Defaults();
    p.randomSeed = 0;
    const std::vector<Placement> zero = Place(p, One(16, 12));
    p.randomSeed = 1;
    const std::vector<Placement> one = Place(p, One(16, 12));
    ASSERT_EQ(zero.size(), one.size());
    for (size_t i = 0; i < one.size(); ++i) EXPECT_EQ(zero[i].bounds, one[i].bounds);
    p.randomSeed = 2;
    EXPECT_NE(Place(p, One(16, 12))[0].bounds, one[0].bounds);
}

TEST(PlacementListTest, DepthOptionsNeedRandomScaling) {
    EffectParameters p = Defaults();
    p.fadeWithDepth = p.desaturateWithDepth = p.orderByDepth = 1;
    p.opacity = 200;
    for (const Placement& c : Place(p, One(16, 12))) {
        EXPECT_EQ(c.opacity, 200);
        EXPECT_EQ(c.desaturation, 0);
    }
    p.randomScale = 3.0;
    const std::vector<Placement> deep = Place(p, One(16, 12));
    for (size_t i = 0; i < deep.size(); ++i) {
        const int32_t f = 127 + int32_t(deep[i].depth * 128.0);
        EXPECT_EQ(deep[i].opacity, 200 * std::min(f, 255) / 255);
        EXPECT_EQ(deep[i].desaturation, 255 - int32_t(deep[i].depth * 255.0));
        if (i > 0) {
            EXPECT_LE(deep[i - 1].depth, deep[i].depth) << "far copies first";
        }
    }
}

TEST(PlacementListTest, NoOverlapKeepsBoxesApart) {
    EffectParameters p = Defaults();
    p.density = 100;
    p.noOverlap = 1;
    const std::vector<Placement> kept = Place(p, One(24, 24));
    EffectParameters all = p;
    all.noOverlap = 0;
    EXPECT_LT(kept.size(), Place(all, One(24, 24)).size());
    for (size_t i = 0; i < kept.size(); ++i)
        for (size_t j = 0; j < i; ++j) {
            const OrvRect& a = kept[i].bounds;
            const OrvRect& b = kept[j].bounds;
            const bool overlap = std::max(a.left, b.left) < std::min(a.right, b.right) &&
                                 std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
            ASSERT_FALSE(overlap) << i << " and " << j;
        }
}

TEST(PlacementListTest, NoOverlapPushesOnceAlongTheShallowerSide) {
    auto box = [](int32_t l, int32_t t, int32_t r, int32_t b) {
        Placement p;
        p.bounds = OrvRect{l, t, r, b};
        return p;
    };
    const std::vector<Placement> one = {box(0, 0, 10, 10)};
    Placement sideways = box(8, 2, 18, 6);  // 2 deep along x, 4 along y
    EXPECT_TRUE(PushApart(sideways, one));
    EXPECT_EQ(sideways.bounds, (OrvRect{10, 2, 20, 6}));
    EXPECT_EQ(sideways.transform.MapPoint(0, 0).x, 2.0) << "the matrix moves with the box";
    Placement leftwards = box(-6, 2, 2, 6);
    EXPECT_TRUE(PushApart(leftwards, one));
    EXPECT_EQ(leftwards.bounds, (OrvRect{-8, 2, 0, 6}));
    Placement down = box(2, 8, 6, 18);  // 4 deep along x, 2 along y
    EXPECT_TRUE(PushApart(down, one));
    EXPECT_EQ(down.bounds, (OrvRect{2, 10, 6, 20}));
    // Pushed into another kept copy: dropped.
    const std::vector<Placement> two = {box(0, 0, 10, 10), box(12, 0, 22, 10)};
    Placement squeezed = box(8, 2, 13, 6);
    EXPECT_FALSE(PushApart(squeezed, two));
    // Touching edges do not overlap.
    Placement touching = box(10, 0, 20, 10);
    EXPECT_TRUE(PushApart(touching, one));
    EXPECT_EQ(touching.bounds, (OrvRect{10, 0, 20, 10}));
}

TEST(PlacementListTest, WholeObjectsStayInsideTheAreaAndTheSelection) {
    EffectParameters p = Defaults();
    p.density = 100;
    p.wholeObjectsOnly = 1;
    const OrvRect area{50, 40, 350, 260};
    for (const Placement& c : Place(p, One(20, 20), area)) {
        EXPECT_GE(c.bounds.left, area.left);
        EXPECT_LE(c.bounds.right, area.right);
        EXPECT_GE(c.bounds.top, area.top);
        EXPECT_LE(c.bounds.bottom, area.bottom);
    }
    int asked = 0;
    const std::vector<Placement> leftHalf = Place(p, One(20, 20), area, false, [&](const OrvRect& b) {
        ++asked;
        return b.right <= 200;
    });
    EXPECT_GT(asked, 0);
    EXPECT_FALSE(leftHalf.empty());
    for (const Placement& c : leftHalf) EXPECT_LE(c.bounds.right, 200);

    // Without the option copies may hang in from the left and top, never start past the
    // right or bottom edge.
    p.wholeObjectsOnly = 0;
    p.scale = 2.0;
    int hanging = 0;
    for (const Placement& c : Place(p, One(20, 20), area)) {
        EXPECT_GE(c.bounds.left, 50 - 40 - 1);
        EXPECT_LE(c.bounds.left, 350);
        hanging += c.bounds.left < 50;
    }
    EXPECT_GT(hanging, 0);
}

TEST(PlacementListTest, WeightsChooseObjects) {
    ObjectChoice c;
    c.widths = {10, 20, 30};
    c.heights = {10, 20, 30};
    c.cumulativeWeights = {0, 3, 4};  // weights 0, 3, 1
    c.meanWidth = c.meanHeight = 22;
    EXPECT_EQ(c.Pick(0), 1);
    EXPECT_EQ(c.Pick(2), 1);
    EXPECT_EQ(c.Pick(3), 2);
    EXPECT_EQ(c.Pick(4), 1);
    EffectParameters p = Defaults();
    int counts[3] = {0, 0, 0};
    for (const Placement& placement : Place(p, c)) ++counts[placement.objectIndex];
    EXPECT_EQ(counts[0], 0) << "weight 0 is never chosen";
    EXPECT_GT(counts[1], counts[2]);
}

}  // namespace
