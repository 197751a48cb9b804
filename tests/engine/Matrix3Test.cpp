// Matrix3: what each operation means geometrically, and the exact operation order that
// makes results bit-identical. The expected bits of the elimination cases were worked
// out separately by emulating the pivot, division and update rules; each case would come
// out differently under the obvious alternative rule.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "product/engine/Matrix3.h"

namespace {

Matrix3 Affine(double a, double b, double c, double d, double e = 0.0, double f = 0.0) {
    return Matrix3{{{a, b, e}, {c, d, f}, {0.0, 0.0, 1.0}}};
}

void ExpectPoint(Point2 p, double x, double y) {
    EXPECT_EQ(p.x, x);
    EXPECT_EQ(p.y, y);
}

TEST(Matrix3, RotationTurnsClockwiseOnScreen) {
    // Appending rotation(-a) sends the +x axis towards +y (down) for positive a.
    Matrix3 m = Matrix3::Identity();
    m.AppendRotation(-90.0);
    Point2 p = m.MapPoint(1.0, 0.0);
    EXPECT_NEAR(p.x, 0.0, 1e-16);
    EXPECT_EQ(p.y, 1.0);
    Matrix3 r = Matrix3::Rotation(30.0);
    EXPECT_EQ(r.m[0][1], -r.m[1][0]);
    EXPECT_EQ(r.m[0][0], r.m[1][1]);
    EXPECT_NEAR(r.m[0][1], 0.5, 1e-16);
}

TEST(Matrix3, AppendFollowsAndPrependPrecedes) {
    Matrix3 a = Matrix3::Translation(3.0, 5.0);
    a.AppendScaling(2.0, 10.0);  // translate, then scale
    ExpectPoint(a.MapPoint(1.0, 1.0), 8.0, 60.0);
    Matrix3 p = Matrix3::Translation(3.0, 5.0);
    p.PrependScaling(2.0, 10.0);  // scale, then translate
    ExpectPoint(p.MapPoint(1.0, 1.0), 5.0, 15.0);
}

TEST(Matrix3, CopyTransformPutsTheCentreWhereExpected) {
    // The placement's chain: about the centre of a 41 x 20 object (half 20 x 10), by 37
    // degrees, scaled 1.5, moved to (100, 200): the centre lands on (130, 215).
    Matrix3 m = Matrix3::Translation(-20.0, -10.0);
    m.AppendRotation(-37.0);
    m.AppendTranslation(20.0, 10.0);
    m.AppendScaling(1.5, 1.5);
    m.AppendTranslation(100.0, 200.0);
    Point2 centre = m.MapPoint(20.0, 10.0);
    EXPECT_NEAR(centre.x, 130.0, 1e-12);
    EXPECT_NEAR(centre.y, 215.0, 1e-12);
    Matrix3 unturned = Matrix3::Scaling(1.5, 1.5);
    unturned.AppendTranslation(100.0, 200.0);
    EXPECT_EQ(unturned.MapBox(OrvRect{0, 0, 41, 20}), (OrvRect{100, 200, 162, 230}));
}

TEST(Matrix3, ProductsAndMappingSumLeftToRight) {
    // (1 + 1e-16) + 1e-16 is 1, 1 + (1e-16 + 1e-16) is not.
    Matrix3 a = Affine(1.0, 1e-16, 0.0, 1.0);
    a.m[0][2] = 1e-16;
    Matrix3 ones = Affine(1.0, 0.0, 1.0, 1.0, 0.0, 0.0);
    ones.m[2][0] = 1.0;
    EXPECT_EQ(Multiply(a, ones).m[0][0], 1.0);
    EXPECT_EQ(a.MapPoint(1.0, 1.0).x, 1.0);
}

TEST(Matrix3, InvertUndoesTheTransform) {
    Matrix3 m = Matrix3::Scaling(2.0, 4.0);
    m.AppendTranslation(3.0, 5.0);
    ASSERT_TRUE(m.Invert());
    ExpectPoint(m.MapPoint(5.0, 9.0), 1.0, 1.0);

    Matrix3 r = Matrix3::Rotation(23.0);
    r.AppendScaling(0.37, 0.37);
    r.AppendTranslation(-12.5, 7.25);
    Matrix3 inverse = r;
    ASSERT_TRUE(inverse.Invert());
    Matrix3 unit = Multiply(r, inverse);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) EXPECT_NEAR(unit.m[i][j], i == j ? 1.0 : 0.0, 1e-14);
    }
}

TEST(Matrix3, InvertFollowsTheFixedEliminationRules) {
    // Largest pivot: row 1 (6 > 5) is used first.
    Matrix3 pivot = Affine(5.0, 1.0, 6.0, 7.0);
    ASSERT_TRUE(pivot.Invert());
    EXPECT_EQ(pivot.m[0][0], 0x1.ee58469ee5846p-3);
    EXPECT_EQ(pivot.m[0][1], -0x1.1a7b9611a7b90p-5);
    EXPECT_EQ(pivot.m[1][0], -0x1.a7b9611a7b960p-3);
    // A tie in absolute value keeps the first row.
    Matrix3 tie = Affine(3.0, 1.0, -3.0, 4.0);
    ASSERT_TRUE(tie.Invert());
    EXPECT_EQ(tie.m[0][1], -0x1.1111111111111p-4);
    // The pivot row is divided by the pivot, not multiplied by its reciprocal.
    Matrix3 divide = Affine(5.0, 6.0, 4.0, 9.0);
    ASSERT_TRUE(divide.Invert());
    EXPECT_EQ(divide.m[0][0], 0x1.b6db6db6db6dbp-2);
    EXPECT_EQ(divide.m[1][0], -0x1.8618618618618p-3);
    EXPECT_EQ(divide.m[1][1], 0x1.e79e79e79e79ep-3);
}

TEST(Matrix3, SingularOrNonFiniteMatricesAreLeftAlone) {
    Matrix3 flat = Matrix3::Scaling(0.0, 1.0);
    EXPECT_FALSE(flat.Invert());
    EXPECT_EQ(flat.m[0][0], 0.0);
    EXPECT_EQ(flat.m[1][1], 1.0);
    Matrix3 nan = Matrix3::Scaling(std::numeric_limits<double>::quiet_NaN(), 1.0);
    EXPECT_FALSE(nan.Invert());
    Matrix3 overflowing = Matrix3::Scaling(1e-310, 1.0);  // a usable pivot, an infinite inverse
    EXPECT_FALSE(overflowing.Invert());
    Point2 p;
    EXPECT_FALSE(flat.SolvePoint(1.0, 1.0, &p));
}

TEST(Matrix3, SolvePointEliminatesItsOwnSystem) {
    // Through the inverse the same corner comes out as 0x1.58469ee5846a2p+0.
    Matrix3 b = Affine(5.0, 1.0, 6.0, 7.0, 2.0, 3.0);
    Point2 p;
    ASSERT_TRUE(b.SolvePoint(10.0, 20.0, &p));
    ExpectPoint(p, 0x1.58469ee58469ep+0, 0x1.469ee58469ee6p+0);

    OrvRect box;
    Matrix3 s = Matrix3::Scaling(0.5, 0.25);
    ASSERT_TRUE(s.SolveBox(OrvRect{1, 1, 4, 3}, &box));
    EXPECT_EQ(box, (OrvRect{2, 4, 8, 12}));
}

TEST(Matrix3, SolveBoxGivesTheHullOfItsCornersSolvedOneByOne) {
    // Pivots in each row first, perspective rows, and a singular matrix.
    const Matrix3 cases[] = {
        Affine(5.0, 1.0, 6.0, 7.0, 2.0, 3.0),
        Affine(0.3, 7.0, 2.5, -0.1, 0.4, -9.0),
        Matrix3{{{0.2, 0.1, 3.0}, {0.05, 0.3, -2.0}, {0.8, 0.01, 1.0}}},
        Matrix3{{{0.1, -0.6, 3.0}, {1e-3, 0.2, 1.0}, {-0.01, 0.004, 0.5}}},
        Matrix3::Rotation(33.0),
        Matrix3::Scaling(0.0, 1.0),
    };
    const OrvRect boxes[] = {{0, 0, 640, 480}, {-17, 3, 5, 1000}, {1, 1, 4, 3}};
    for (const Matrix3& m : cases) {
        for (const OrvRect& b : boxes) {
            const double xs[4] = {double(b.left), double(b.right), double(b.right), double(b.left)};
            const double ys[4] = {double(b.top), double(b.top), double(b.bottom), double(b.bottom)};
            bool solvable = true;
            OrvRect hull{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
            for (int k = 0; k < 4; ++k) {
                Point2 p{};
                solvable = m.SolvePoint(xs[k], ys[k], &p) && solvable;
                const int32_t x = RoundToPixel(p.x), y = RoundToPixel(p.y);
                hull = OrvRect{std::min(hull.left, x), std::min(hull.top, y), std::max(hull.right, x),
                               std::max(hull.bottom, y)};
            }
            OrvRect box;
            ASSERT_EQ(m.SolveBox(b, &box), solvable);
            if (solvable) EXPECT_EQ(box, hull);
        }
    }
}

TEST(Matrix3, MapBoxRoundsHalvesUpAndTakesTheHull) {
    EXPECT_EQ(Matrix3::Scaling(0.5, 0.5).MapBox(OrvRect{0, 0, 5, 5}), (OrvRect{0, 0, 3, 3}));
    EXPECT_EQ(Matrix3::Scaling(-0.5, -0.5).MapBox(OrvRect{0, 0, 5, 5}), (OrvRect{-2, -2, 0, 0}));
    Matrix3 turn = Matrix3::Rotation(45.0);
    EXPECT_EQ(turn.MapBox(OrvRect{-10, -10, 10, 10}), (OrvRect{-14, -14, 14, 14}));
}

TEST(Matrix3, RoundToPixelSaturates) {
    EXPECT_EQ(RoundToPixel(-0.5), 0);
    EXPECT_EQ(RoundToPixel(-1.5), -1);
    EXPECT_EQ(RoundToPixel(2147483646.7), INT32_MAX);
    EXPECT_EQ(RoundToPixel(1e300), INT32_MAX);
    EXPECT_EQ(RoundToPixel(-1e300), INT32_MIN);
    EXPECT_EQ(RoundToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(Matrix3::Scaling(1e300, 1.0).MapBox(OrvRect{0, 0, 2, 2}), (OrvRect{0, 0, INT32_MAX, 2}));
}

}  // namespace
