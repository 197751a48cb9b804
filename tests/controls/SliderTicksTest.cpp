#include "OrvLib/controls/SliderTicks.h"

#include <gtest/gtest.h>

#include "OrvLib/controls/BoxPlacement.h"

namespace {

// Six pixels per character, 13 high.
OrvSize Measure(const std::string& text) { return OrvSize{static_cast<int32_t>(text.size()) * 6, 13}; }

SliderModel Slider(int32_t minimum, int32_t maximum, OrvRect client = {0, 0, 200, 60}) {
    SliderModel s;
    s.SetRange(minimum, maximum);
    s.Layout(client);
    return s;
}

TEST(SliderTicks, MarksStandOffTheThumbBandAtTheirValuesPixelWithLabelsBeyond) {
    SliderModel s = Slider(0, 100);  // thumb band 20..40, channel 10..190
    SliderTicks t;
    t.Add({50, TickFlag::kBelow | TickFlag::kLabel, 0, ""});
    t.Add({100, TickFlag::kAbove | TickFlag::kBelow, 7, "max"});
    t.Add({0, TickFlag::kAbove | TickFlag::kLabel, 0, "lowest"});
    t.Place(s, Measure);
    ASSERT_EQ(t.Placed().size(), 3u);
    const PlacedTick& middle = t.Placed()[0];
    EXPECT_EQ(middle.below, (OrvRect{100, 42, 101, 46}));
    EXPECT_TRUE(middle.above.IsEmpty());
    EXPECT_EQ(middle.text, "50");
    EXPECT_EQ(middle.label, (OrvRect{94, 47, 106, 60}));
    const PlacedTick& end = t.Placed()[1];
    EXPECT_EQ(end.above, (OrvRect{190, 11, 191, 18}));
    EXPECT_EQ(end.below, (OrvRect{190, 42, 191, 49}));
    EXPECT_TRUE(end.label.IsEmpty());
    // A label that would stick out of the slider is pulled inside; one above sits over its mark.
    const PlacedTick& start = t.Placed()[2];
    EXPECT_EQ(start.label, (OrvRect{0, 0, 36, 13}));
    EXPECT_EQ(t.Extent(2), (OrvRect{0, 0, 36, 18}));
}

TEST(SliderTicks, LabelsAreTheValueFromTheMinimumAndTicksOutsideTheRangeAreDropped) {
    SliderModel s = Slider(-50, 50);
    SliderTicks t;
    t.Add({0, TickFlag::kLabel, 0, ""});
    t.Add({101, 0, 0, ""});
    t.Add({-1, 0, 0, ""});
    t.Place(s, Measure);
    ASSERT_EQ(t.Placed().size(), 1u);
    EXPECT_EQ(t.Placed()[0].text, "-50");
}

TEST(SliderTicks, AutomaticTicksThinToThreePixelsKeepTheLastAndNeverOverlapLabels) {
    // 181 pixels of channel for 255 values.
    SliderModel s = Slider(0, 255);
    SliderTicks t;
    t.SetAutomatic(true, TickFlag::kLabel);
    t.Place(s, Measure);
    const auto& placed = t.Placed();
    ASSERT_GT(placed.size(), 40u);
    ASSERT_LT(placed.size(), 70u);
    EXPECT_EQ(placed.front().offset, 0);
    EXPECT_EQ(placed.back().offset, 255);
    for (size_t i = 1; i < placed.size(); ++i) {
        EXPECT_GE(placed[i].below.left - placed[i - 1].below.left, SliderTicks::kMinSpacing) << i;
        for (size_t j = 0; j < i; ++j) EXPECT_FALSE(Intersects(placed[i].label, placed[j].label)) << i;
    }
    // A huge range visits about one offset per pixel, not one per value.
    SliderModel huge = Slider(-2000000000, 2000000000);
    t.Place(huge, Measure);
    EXPECT_LE(t.Placed().size(), 70u);
    EXPECT_EQ(t.Placed().back().offset, 4000000000LL);
}

TEST(SliderTicks, APressWithinFourPixelsFindsTheNearestMark) {
    SliderModel s = Slider(0, 100);
    SliderTicks t;
    t.Add({50, 0, 0, ""});
    t.Add({52, 0, 0, ""});  // x = 104
    t.Place(s, Measure);
    EXPECT_EQ(t.HitTest({100, 44}), 0);
    EXPECT_EQ(t.HitTest({96, 49}), 0);
    EXPECT_EQ(t.HitTest({95, 44}), -1);
    EXPECT_EQ(t.HitTest({103, 44}), 1);
    EXPECT_EQ(t.HitTest({100, 51}), -1);
    EXPECT_EQ(SliderTicks().HitTest({100, 44}), -1);
}

TEST(BoxPlacement, TheBoxTakesOneSideCentredAndTheControlKeepsTheRestLessTheGap) {
    const OrvRect area{10, 20, 210, 80};
    const struct {
        BoxSide side;
        OrvRect box, control;
    } cases[] = {
        {BoxSide::Right, {165, 39, 210, 60}, {10, 20, 160, 80}},
        {BoxSide::Left, {10, 39, 55, 60}, {60, 20, 210, 80}},
        {BoxSide::Top, {87, 20, 132, 41}, {10, 46, 210, 80}},
        {BoxSide::Bottom, {87, 59, 132, 80}, {10, 20, 210, 54}},
    };
    for (const auto& c : cases) {
        BoxPlacement placed = PlaceBox(area, c.side, {45, 21}, 5);
        EXPECT_EQ(placed.box, c.box) << static_cast<int>(c.side);
        EXPECT_EQ(placed.control, c.control) << static_cast<int>(c.side);
    }
}

}  // namespace
