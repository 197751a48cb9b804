#include "OrvLib/controls/AngleModel.h"

#include <cmath>
#include <set>
#include <utility>

#include <gtest/gtest.h>

namespace {

const OrvRect kDial{0, 0, 100, 100};

TEST(AngleModel, PointsAroundTheCentreGiveClockwiseDegreesFromStraightUp) {
    AngleModel a(0, 0, 0);
    EXPECT_FALSE(a.TakePoint({50, 5}, kDial));  // already 0
    EXPECT_EQ(a.Angle(), 0);
    a.TakePoint({95, 50}, kDial);
    EXPECT_EQ(a.Angle(), 90);
    a.TakePoint({50, 95}, kDial);
    EXPECT_EQ(a.Angle(), 180);
    a.TakePoint({5, 50}, kDial);
    EXPECT_EQ(a.Angle(), 270);
    EXPECT_FALSE(a.TakePoint({5, 50}, kDial));
    a.TakePoint({5, 51}, kDial);  // -91.3 degrees rounds to -91, not toward zero
    EXPECT_EQ(a.Angle(), 269);
    a.SetDirection(-1);
    a.TakePoint({95, 50}, kDial);
    EXPECT_EQ(a.Angle(), 270);
    // The quarter dial clamps what lies left of its axis.
    AngleModel q(4, 0, 0);
    q.TakePoint({0, 0}, kDial);
    EXPECT_EQ(q.Angle(), 0);
    q.TakePoint({100, 100}, kDial);
    EXPECT_EQ(q.Angle(), 90);
}

TEST(AngleModel, WheelWrapsWithinOneTurnWhateverTheTurn) {
    AngleModel a(0, 0, 0);
    a.SetAngle(355, true);
    EXPECT_TRUE(a.Wheel(120, true));
    EXPECT_EQ(a.Angle(), 5);
    a.Wheel(-120, true);
    EXPECT_EQ(a.Angle(), 355);
    a.Wheel(-120, false);
    EXPECT_EQ(a.Angle(), 354);
    a.Wheel(120 * 273, true);  // the largest delta a message carries
    EXPECT_EQ(a.Angle(), 204);
    EXPECT_FALSE(a.Wheel(100, false));
    EXPECT_TRUE(a.Wheel(20, false)) << "parts of a notch add up";
    EXPECT_EQ(a.Angle(), 205);
    AngleModel one(1, 0, 0);
    one.SetAngle(355, true);
    one.Wheel(120, true);
    EXPECT_EQ(one.Angle(), 4);  // 365 wraps by 361
}

TEST(AngleModel, ArrowKeysStepByOneOrToTheNextTenWithControlOrLongRepeat) {
    AngleModel a(0, 0, 0);
    a.SetAngle(45, true);
    a.KeyDown(ControlKey::Up, false, false);
    EXPECT_EQ(a.Angle(), 46);
    a.SetAngle(45, true);
    a.KeyDown(ControlKey::Up, false, true);
    EXPECT_EQ(a.Angle(), 60);
    a.SetAngle(45, true);
    a.KeyDown(ControlKey::Left, false, true);
    EXPECT_EQ(a.Angle(), 30);
    a.SetAngle(40, true);
    a.KeyDown(ControlKey::Right, false, true);
    EXPECT_EQ(a.Angle(), 50);
    a.KeyDown(ControlKey::PageDown, false, false);
    EXPECT_EQ(a.Angle(), 40);
    a.SetAngle(5, true);
    a.KeyDown(ControlKey::Down, false, true);
    EXPECT_EQ(a.Angle(), 350);
    // Twenty repeats step by one, the twenty-first jumps.
    a.SetAngle(0, true);
    a.KeyDown(ControlKey::Up, false, false);
    for (int i = 0; i < 19; ++i) a.KeyDown(ControlKey::Up, true, false);
    EXPECT_EQ(a.Angle(), 20);
    a.KeyDown(ControlKey::Up, true, false);
    EXPECT_EQ(a.Angle(), 30);
    a.KeyDown(ControlKey::Up, false, false);
    EXPECT_EQ(a.Angle(), 31);
    AngleModel q(4, 0, 0);
    q.SetAngle(85, true);
    q.KeyDown(ControlKey::PageUp, false, false);
    EXPECT_EQ(q.Angle(), 90);
}

TEST(AngleModel, TypedValuesAreBroughtIntoTheModeAndRewritten) {
    AngleModel a(0, 0, 0);
    AngleModel::Typed t = a.TakeTyped(400);
    EXPECT_TRUE(t.changed);
    EXPECT_TRUE(t.rewrite);
    EXPECT_EQ(a.BoxText(), "40");
    t = a.TakeTyped(40);
    EXPECT_FALSE(t.changed);
    EXPECT_FALSE(t.rewrite);
    EXPECT_EQ(AngleModel(0, 0, 0).TakeTyped(2147483647).rewrite, true);
    AngleModel one(1, 0, 0);
    EXPECT_FALSE(one.TakeTyped(360).rewrite);
    EXPECT_EQ(one.Angle(), 360);
    one.TakeTyped(361);
    EXPECT_EQ(one.Angle(), 0);
    AngleModel q(4, 0, 0);
    EXPECT_TRUE(q.TakeTyped(100).rewrite);
    EXPECT_EQ(q.BoxText(), "90");
    EXPECT_EQ(q.BoxMaximum(), 90);
}

TEST(AngleModel, UnforcedDifferentValueLeavesTheAngleUndetermined) {
    AngleModel a(0, 0, 0);
    a.SetAngle(10, true);
    EXPECT_FALSE(a.SetAngle(10, false));
    EXPECT_TRUE(a.SetAngle(20, false));
    EXPECT_TRUE(a.Undetermined());
    EXPECT_EQ(a.BoxText(), "");
    EXPECT_EQ(a.Angle(), 10);
    // Any taken value settles it, even the same one.
    EXPECT_TRUE(a.Wheel(0, false));
    EXPECT_FALSE(a.Undetermined());
}

TEST(AngleModel, CountingModesKeepTurnsAndStayInTheirRange) {
    AngleModel two(2, 0, 720);
    EXPECT_EQ(two.BoxMaximum(), 720);
    two.TakePoint({5, 50}, kDial);  // 270 is back past 0, held at the range's start
    EXPECT_EQ(two.Value(), 0);
    two.TakeTyped(270);
    two.TakePoint({50, 5}, kDial);  // past straight up: one turn on
    EXPECT_EQ(two.Value(), 360);
    two.TakePoint({95, 50}, kDial);
    EXPECT_EQ(two.Value(), 450);
    two.TakeTyped(5000);
    EXPECT_EQ(two.Value(), 720);
    EXPECT_EQ(two.BoxText(), "720");
    AngleModel three(3, 0, 399);  // cut down to one turn
    EXPECT_EQ(three.BoxMinimum(), -360);
    three.TakeTyped(-100);
    EXPECT_EQ(three.Angle(), 260);
    EXPECT_EQ(three.Turns(), -1);
    three.KeyDown(ControlKey::Down, false, true);
    EXPECT_EQ(three.Value(), -110);
    three.Wheel(-120 * 100, true);
    EXPECT_EQ(three.Value(), -360);
}

TEST(AngleDrawing, BoxBesideOrBelowAndASquareDial) {
    OrvRect area{10, 10, 110, 70};
    AngleLayout right = AngleDrawing::Layout(area, AngleStyle::kHasBox | AngleStyle::kBoxRight, {40, 20}, 5);
    EXPECT_EQ(right.box, (OrvRect{70, 30, 110, 50}));
    EXPECT_EQ(right.dial, (OrvRect{10, 12, 65, 67}));
    AngleLayout left = AngleDrawing::Layout(area, AngleStyle::kHasBox | AngleStyle::kBoxLeft, {40, 20}, 5);
    EXPECT_EQ(left.box.left, 10);
    EXPECT_EQ(left.dial.left, 55);
    AngleLayout below = AngleDrawing::Layout(area, AngleStyle::kHasBox, {40, 20}, 5);
    EXPECT_EQ(below.box, (OrvRect{40, 50, 80, 70}));
    EXPECT_EQ(below.dial, (OrvRect{42, 10, 77, 45}));
    AngleLayout none = AngleDrawing::Layout(area, 0, {40, 20}, 5);
    EXPECT_TRUE(none.box.IsEmpty());
    EXPECT_EQ(none.dial, (OrvRect{30, 10, 90, 70}));
}

TEST(AngleDrawing, NeedlePointsAlongTheAngle) {
    OrvPoint c{50, 50};
    std::vector<OrvPoint> up = AngleDrawing::Needle(0, 40, c);
    ASSERT_EQ(up.size(), 7u);
    EXPECT_EQ(up[0].x, 50);
    EXPECT_EQ(up[0].y, 10);
    // The tail is behind the centre, the barbs either side of the shaft.
    EXPECT_EQ(up[3].y, 56);
    EXPECT_EQ(up[1].x, 38);
    EXPECT_EQ(up[6].x, 62);
    std::vector<OrvPoint> right = AngleDrawing::Needle(90, 40, c);
    EXPECT_EQ(right[0].x, 90);
    EXPECT_EQ(right[0].y, 50);
}

TEST(AngleDrawing, QuarterDialNeedleAndItsTailStayInsideTheDialAtEveryAngle) {
    for (int32_t w = 40; w <= 240; w += 8) {
        OrvRect dial{0, 0, w, w};
        AngleDrawing::NeedleFrame f = AngleDrawing::NeedleFrameOf(4, dial);
        for (int32_t angle = 0; angle <= 90; ++angle) {
            for (const OrvPoint& p : AngleDrawing::Needle(angle, f.radius, f.centre, f.width)) {
                EXPECT_TRUE(dial.Contains(p.x, p.y)) << w << " at " << angle << ": " << p.x << "," << p.y;
            }
        }
        // The tip reaches well out toward the quarter ring.
        EXPECT_GT(f.radius, 0.5 * w) << w;
    }
    // The full dial turns about its centre, 6 pixels inside its edge.
    AngleDrawing::NeedleFrame full = AngleDrawing::NeedleFrameOf(0, {10, 10, 110, 110});
    EXPECT_EQ(full.centre.x, 60);
    EXPECT_EQ(full.centre.y, 60);
    EXPECT_EQ(full.radius, 44);
}

TEST(AngleDrawing, MidpointCircleIsCompleteSymmetricAndOnTheRadius) {
    for (int32_t r : {1, 7, 30}) {
        std::vector<OrvPoint> pts = AngleDrawing::CirclePoints(r);
        std::set<std::pair<int32_t, int32_t>> seen;
        for (const OrvPoint& p : pts) {
            EXPECT_TRUE(seen.insert({p.x, p.y}).second) << r << ": " << p.x << "," << p.y;
            EXPECT_NEAR(std::hypot(p.x, p.y), r, 0.75);
        }
        for (const auto& p : seen) {
            EXPECT_TRUE(seen.count({-p.first, p.second}) && seen.count({p.second, p.first}));
        }
        EXPECT_TRUE(seen.count({r, 0}) && seen.count({0, -r}));
    }
}

TEST(AngleDrawing, RingIsLitFromTheUpperLeft) {
    EXPECT_NEAR(AngleDrawing::RingLight(-10, -10), 1.0, 1e-6);
    EXPECT_NEAR(AngleDrawing::RingLight(10, 10), 0.0, 1e-6);
    EXPECT_NEAR(AngleDrawing::RingLight(10, -10), 0.5, 1e-3);
    EXPECT_EQ(AngleDrawing::Mix(0xFFFFFF, 0x000000, 1.0), 0xFFFFFFu);
    EXPECT_EQ(AngleDrawing::Mix(0x0000FF, 0xFF0000, 0.5), 0x800080u);
}

}  // namespace
