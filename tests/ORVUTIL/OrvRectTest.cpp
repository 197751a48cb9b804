#include <gtest/gtest.h>

#include "OrvLib/ORVUTIL/OrvRect.h"

namespace {

TEST(OrvRectHelpers, EdgesThatOnlyTouchShareNoPixel) {
    const OrvRect a{0, 0, 10, 10};
    EXPECT_FALSE(Intersects(a, OrvRect{10, 0, 20, 10}));
    EXPECT_FALSE(Intersects(a, OrvRect{0, 10, 10, 20}));
    EXPECT_TRUE(Intersects(a, OrvRect{9, 9, 20, 20}));
    EXPECT_EQ(Intersection(a, OrvRect{9, 9, 20, 20}), (OrvRect{9, 9, 10, 10}));
    EXPECT_TRUE(Intersection(a, OrvRect{10, 0, 20, 10}).IsEmpty());
}

TEST(OrvRectHelpers, EmptyOrInvertedRectanglesIntersectNothing) {
    const OrvRect a{0, 0, 10, 10};
    EXPECT_FALSE(Intersects(a, OrvRect{5, 5, 5, 8}));
    EXPECT_FALSE(Intersects(a, OrvRect{6, 2, 4, 8}));
    EXPECT_FALSE(Intersects(OrvRect{5, 5, 5, 8}, OrvRect{5, 5, 5, 8}));
}

TEST(OrvRectHelpers, ContainmentIncludesSharedEdgesAndExcludesRightAndBottomPoints) {
    const OrvRect a{2, 3, 10, 12};
    EXPECT_TRUE(Contains(a, a));
    EXPECT_TRUE(Contains(a, OrvRect{2, 3, 5, 5}));
    EXPECT_FALSE(Contains(a, OrvRect{1, 3, 5, 5}));
    EXPECT_FALSE(Contains(a, OrvRect{2, 3, 10, 13}));
    EXPECT_TRUE(a.Contains(2, 3));
    EXPECT_TRUE(a.Contains(9, 11));
    EXPECT_FALSE(a.Contains(10, 11));
    EXPECT_FALSE(a.Contains(9, 12));
}

}  // namespace
