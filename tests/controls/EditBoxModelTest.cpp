#include "OrvLib/controls/EditBoxModel.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

IntegerBoxModel Box(int32_t minimum, int32_t maximum, bool wrap) {
    IntegerBoxModel b;
    b.SetRange(minimum, maximum, wrap);
    return b;
}

TEST(CharFilter, IntegerBoxesTakeDigitsAndAMinusOnlyForNegativeRanges) {
    IntegerBoxModel positive = Box(0, 359, true);
    EXPECT_TRUE(positive.Filter().Accepts('7'));
    EXPECT_FALSE(positive.Filter().Accepts('a'));
    EXPECT_FALSE(positive.Filter().Accepts('-'));
    EXPECT_TRUE(positive.Filter().Accepts(8));
    EXPECT_TRUE(positive.Filter().Accepts(0x20AC));
    EXPECT_TRUE(Box(-360, 360, true).Filter().Accepts('-'));
    EXPECT_TRUE(Box(-10, -1, false).Filter().Accepts('-'));
    CharFilter names = CharFilter::None();
    names.AllowUpper(true);
    names.Allow('_', true);
    EXPECT_TRUE(names.Accepts('Q') && names.Accepts('_'));
    EXPECT_FALSE(names.Accepts('q') || names.Accepts('0'));
    EXPECT_TRUE(CharFilter().Accepts(255));
}

TEST(IntegerBoxModel, APasteMayLeaveOnlyANumberTheBoxTakes) {
    const IntegerBoxModel seed = Box(1, 10000, false), angle = Box(-100, 100, false);
    for (const char* text : {"abc", "7a", "", "-", "5-", " 5"})
        EXPECT_FALSE(seed.AcceptsText(text) || angle.AcceptsText(text)) << text;
    EXPECT_TRUE(seed.AcceptsText("77") && seed.AcceptsText("99999999999") && angle.AcceptsText("-5"));
    EXPECT_FALSE(seed.AcceptsText("-5"));
    EXPECT_FALSE(CharFilter().AcceptsAll("two\blines")) << "a backspace pasted is no text";
}

TEST(IntegerBoxModel, SpinWrapsAtTheBoundsOnlyWhenAsked) {
    IntegerBoxModel wrap = Box(0, 359, true);
    EXPECT_EQ(wrap.Step("359", 1), "0");
    EXPECT_EQ(wrap.Step("0", -1), "359");
    EXPECT_EQ(wrap.Step("10", -725), "5");
    IntegerBoxModel stop = Box(0, 359, false);
    EXPECT_EQ(stop.Step("359", 1), "359");
    EXPECT_EQ(stop.Step("0", -1), "0");
    EXPECT_EQ(stop.LastSetValue(), 0);
    // An empty box steps from the last value set.
    stop.SetValue(40);
    EXPECT_EQ(stop.Step("", 1), "41");
}

TEST(IntegerBoxModel, ArithmeticHoldsAtTheEndsOfTheIntegerRange) {
    EXPECT_EQ(IntegerBoxModel::ParseSaturated("99999999999"), INT_MAX);
    EXPECT_EQ(IntegerBoxModel::ParseSaturated("-99999999999999999999999"), INT_MIN);
    EXPECT_EQ(IntegerBoxModel::ParseSaturated("2147483647"), INT_MAX);
    EXPECT_EQ(IntegerBoxModel::ParseSaturated("-2147483648"), INT_MIN);
    EXPECT_EQ(IntegerBoxModel::ParseSaturated(" 12x4"), 12);
    bool digits = true;
    EXPECT_EQ(IntegerBoxModel::ParseSaturated("-", &digits), 0);
    EXPECT_FALSE(digits);

    IntegerBoxModel full = Box(INT_MIN, INT_MAX, false);
    EXPECT_EQ(full.Step("2147483647", 1), "2147483647");
    EXPECT_EQ(full.Step("-2147483648", -1), "-2147483648");
    IntegerBoxModel fullWrap = Box(INT_MIN, INT_MAX, true);
    EXPECT_EQ(fullWrap.Step("2147483647", 1), "-2147483648");
    EXPECT_EQ(fullWrap.Step("-2147483648", -1), "2147483647");
    IntegerBoxModel seed = Box(1, 10000, true);
    EXPECT_EQ(seed.Step("99999999999", 1), "3648");  // 1 + (2^31 - 1) mod 10000
}

TEST(IntegerBoxModel, FocusLossReplacesAValueOutsideTheRangeByTheNearestBound) {
    IntegerBoxModel seed = Box(1, 10000, false);
    EXPECT_EQ(seed.FocusLost("20000").text, "10000");
    EXPECT_EQ(seed.FocusLost("99999999999").text, "10000");
    EXPECT_EQ(seed.LastSetValue(), 10000);
    EXPECT_EQ(seed.FocusLost("0").text, "1");
    EXPECT_FALSE(seed.FocusLost("500").changed);
    EXPECT_FALSE(seed.FocusLost("").changed);
    // The value of the text is not clamped until then.
    EXPECT_EQ(seed.ValueOf("20000"), 20000);
}

TEST(IntegerBoxModel, PercentagesScaleTheRangeRoundingHalvesAwayFromZeroAndHoldAtTheExtremes) {
    IntegerBoxModel box;
    box.SetRange(0, 359, true);
    EXPECT_EQ(box.PercentOf(0), 0);
    EXPECT_EQ(box.PercentOf(359), 100);
    EXPECT_EQ(box.PercentOf(180), 50);  // 50.14
    EXPECT_EQ(box.PercentOf(9000), 100);
    EXPECT_EQ(box.ValueOfPercent(50), 180);  // 179.5 away from zero
    EXPECT_EQ(box.ValueOfPercent(-20), 0);
    box.SetRange(-100, 100, false);
    box.SetPercentRange(-1000, 1000);
    EXPECT_EQ(box.PercentOf(-100), -1000);
    EXPECT_EQ(box.PercentOf(33), 330);
    EXPECT_EQ(box.ValueOfPercent(-335), -33);  // 66.5 above the minimum
    // Whole 32-bit spans on both sides: no overflow, the ends map onto the ends.
    box.SetRange(INT32_MIN, INT32_MAX, false);
    box.SetPercentRange(INT32_MAX, INT32_MIN);
    EXPECT_EQ(box.PercentOf(INT32_MIN), INT32_MAX);
    EXPECT_EQ(box.PercentOf(INT32_MAX), INT32_MIN);
    EXPECT_EQ(box.PercentOf(-1), 0);
    EXPECT_EQ(box.ValueOfPercent(INT32_MIN), INT32_MAX);
    box.SetRange(5, 5, false);
    EXPECT_EQ(box.PercentOf(5), INT32_MAX);
}

TEST(SpinGeometry, HalvesLeaveTheOddMiddleRowAndReachTowardTheBox) {
    SpinGeometry::Halves h = SpinGeometry::Split({0, 0, 16, 21}, true);
    EXPECT_EQ(h.upper, (OrvRect{0, 2, 14, 10}));
    EXPECT_EQ(h.lower, (OrvRect{0, 11, 14, 19}));
    EXPECT_EQ(SpinGeometry::HitTest(h, {5, 9}), 1);
    EXPECT_EQ(SpinGeometry::HitTest(h, {5, 10}), 0);
    EXPECT_EQ(SpinGeometry::HitTest(h, {5, 11}), -1);
    OrvRect rows[2];
    SpinGeometry::Arrow(h.upper, true, false, rows);
    EXPECT_EQ(rows[0].Width(), 1);
    EXPECT_EQ(rows[1].Width(), 3);
    EXPECT_EQ(rows[1].top, rows[0].bottom);
    OrvRect pressed[2];
    SpinGeometry::Arrow(h.lower, false, true, pressed);
    SpinGeometry::Arrow(h.lower, false, false, rows);
    EXPECT_EQ(rows[0].Width(), 3);
    EXPECT_EQ(pressed[0].left, rows[0].left + 1);
    EXPECT_EQ(pressed[0].top, rows[0].top + 1);
}

}  // namespace
