#include "OrvLib/controls/SliderModel.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

using Codes = SliderModel::Codes;
constexpr auto kTrack = SliderCode::ThumbTrack;
constexpr auto kPosition = SliderCode::ThumbPosition;
constexpr auto kEnd = SliderCode::EndScroll;

SliderModel Slider(int32_t minimum, int32_t maximum, OrvRect client = {0, 0, 200, 30}) {
    SliderModel s;
    s.SetRange(minimum, maximum);
    s.Layout(client);
    return s;
}

OrvPoint ThumbCentre(const SliderModel& s) {
    const OrvRect& t = s.Geometry().thumb;
    return OrvPoint{(t.left + t.right) / 2, (t.top + t.bottom) / 2};
}

TEST(SliderModel, AutomaticPageIsAFifthOfARangeDivisibleByFive) {
    EXPECT_EQ(Slider(1, 100).PageStep(), 1);
    EXPECT_EQ(Slider(0, 255).PageStep(), 51);
    EXPECT_EQ(Slider(-100, 100).PageStep(), 40);
    SliderModel s = Slider(0, 255);
    s.SetPageSize(7);
    EXPECT_EQ(s.PageStep(), 7);
}

TEST(SliderModel, ThumbIsShortenedOnLowSlidersAndTwentyPixelsOnTallOnes) {
    // 25 high: k = 12, 0.3 k = 3.6 cut to 3 off each end.
    SliderModel low = Slider(0, 100, {0, 0, 200, 25});
    EXPECT_EQ(low.Geometry().thumb.top, 3);
    EXPECT_EQ(low.Geometry().thumb.bottom, 22);
    EXPECT_EQ(low.Geometry().thumb.Width(), 19 / 2);
    SliderModel tall = Slider(0, 100, {0, 0, 200, 41});
    EXPECT_EQ(tall.Geometry().thumb.top, 10);
    EXPECT_EQ(tall.Geometry().thumb.bottom, 30);
    EXPECT_EQ(tall.Geometry().thumb.Width(), 10);
    // The channel loses 5 per cent of the width at each end.
    EXPECT_EQ(tall.Geometry().channel.left, 10);
    EXPECT_EQ(tall.Geometry().channel.right, 190);
}

TEST(SliderModel, PixelAndOffsetRoundAHalfDownAndMoreThanAHalfUp) {
    SliderModel s = Slider(0, 90);      // channel 10..190: two pixels per value
    EXPECT_EQ(s.PixelToOffset(11), 0);  // 0.5
    EXPECT_EQ(s.PixelToOffset(13), 1);  // 1.5
    EXPECT_EQ(s.PixelToOffset(10), 0);
    EXPECT_EQ(s.PixelToOffset(190), 90);
    SliderModel t = Slider(0, 360);     // half a pixel per value
    EXPECT_EQ(t.OffsetToPixel(1), 10);  // 10.5
    EXPECT_EQ(t.OffsetToPixel(3), 11);  // 11.5
    SliderModel u = Slider(0, 100);     // 1.8 pixels per value
    EXPECT_EQ(u.PixelToOffset(11), 1);  // 0.56
    EXPECT_EQ(u.OffsetToPixel(1), 12);  // 11.8
}

TEST(SliderModel, PositionOutsideTheRangeIsStoredUnchangedWithoutOverflow) {
    SliderModel s = Slider(-100, 100);
    s.SetPosition(150);
    EXPECT_EQ(s.Position(), 150);
    s.SetPosition(INT_MIN);
    EXPECT_EQ(s.Position(), INT_MIN);
    EXPECT_EQ(s.Offset(), static_cast<int64_t>(INT_MIN) + 100);
    SliderModel wide = Slider(INT_MIN, INT_MAX);
    EXPECT_EQ(wide.RangeLength(), 4294967295LL);
    wide.SetPosition(INT_MAX);
    EXPECT_EQ(wide.OffsetToPixel(wide.Offset()), wide.Geometry().channel.right);
    EXPECT_EQ(wide.Wheel(120, false), (Codes{SliderCode::LineRight}));
    EXPECT_EQ(wide.Position(), INT_MAX);
}

TEST(SliderModel, ThumbStaysInsideTheChannelAtPositionsFarOutsideTheRange) {
    for (int32_t position : {2000000000, INT_MAX, INT_MIN}) {
        SliderModel s = Slider(1, 100);
        s.SetPosition(position);
        s.Layout(s.Geometry().whole);
        const SliderGeometry& g = s.Geometry();
        EXPECT_EQ(g.thumb.left + 5, position > 0 ? g.channel.right : g.channel.left) << position;
        EXPECT_EQ(g.thumb.Width(), 10) << position;
    }
}

TEST(SliderModel, ThumbDragTracksEveryMoveThenReportsPositionAndEnd) {
    SliderModel s = Slider(0, 90);
    s.SetPosition(45);
    s.Layout(s.Geometry().whole);
    OrvPoint p = ThumbCentre(s);
    EXPECT_EQ(s.Press(p), (Codes{kTrack}));
    EXPECT_EQ(s.Drag({p.x + 20, p.y + 30}), (Codes{kTrack}));
    EXPECT_TRUE(s.Dragging());
    EXPECT_EQ(s.Position(), 55);
    EXPECT_EQ(s.Drag({p.x + 500, p.y}), (Codes{kTrack}));
    EXPECT_EQ(s.Position(), 90);
    EXPECT_EQ(s.Drag({p.x - 500, p.y}), (Codes{kTrack}));
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(s.Release(), (Codes{kPosition, kEnd}));
    // Escape puts the thumb back where the press found it.
    s.Press(ThumbCentre(s));
    s.Drag({p.x + 500, p.y});
    EXPECT_EQ(s.Cancel(), (Codes{kPosition, kEnd}));
    EXPECT_EQ(s.Position(), 0);
    // A press on the thumb released without a drag reports the same.
    p = ThumbCentre(s);
    s.Press(p);
    EXPECT_EQ(s.Release(), (Codes{kPosition, kEnd}));
}

TEST(SliderModel, ChannelPressPagesTowardThePressUntilTheThumbReachesIt) {
    SliderModel s = Slider(0, 100);  // page 20
    EXPECT_EQ(s.Press({150, 15}), (Codes{SliderCode::PageRight}));
    EXPECT_EQ(s.Position(), 20);
    EXPECT_TRUE(s.PageRepeating());
    int pages = 0;
    while (s.PageRepeating()) {
        if (!s.PageTick().empty()) ++pages;
        ASSERT_LT(pages, 10);
    }
    // Offset under x = 150 is 78: pages to 40, 60, 80 and stops there.
    EXPECT_EQ(pages, 3);
    EXPECT_EQ(s.Position(), 80);
    EXPECT_EQ(s.Release(), (Codes{kEnd}));
    EXPECT_EQ(s.Press({15, 15}), (Codes{SliderCode::PageLeft}));
    EXPECT_EQ(s.Position(), 60);
    s.Release();
    // Outside the channel: nothing, and no end code either.
    EXPECT_EQ(s.Press({100, 1}), Codes{});
    EXPECT_EQ(s.Release(), Codes{});
}

TEST(SliderModel, ArrowKeysStepByOneWithinTheRangeAndEndOnRelease) {
    SliderModel s = Slider(0, 10);
    EXPECT_EQ(s.KeyDown(ControlKey::Down), (Codes{SliderCode::LineRight}));
    EXPECT_EQ(s.Position(), 1);
    EXPECT_EQ(s.KeyDown(ControlKey::Up), (Codes{SliderCode::LineLeft}));
    EXPECT_EQ(s.KeyDown(ControlKey::Left), (Codes{SliderCode::LineLeft}));
    EXPECT_EQ(s.Position(), 0);
    EXPECT_EQ(s.KeyUp(ControlKey::Left), (Codes{kEnd}));
    EXPECT_EQ(s.KeyDown(ControlKey::Home), (Codes{SliderCode::Top}));
    s.SetPosition(10);
    s.KeyDown(ControlKey::Right);
    EXPECT_EQ(s.Position(), 10);
}

TEST(SliderModel, WheelStepsFiveTimesWithControlAndClamps) {
    SliderModel s = Slider(0, 100);
    EXPECT_EQ(s.Wheel(240, false), (Codes{SliderCode::LineRight}));
    EXPECT_EQ(s.Position(), 2);
    s.Wheel(120, true);
    EXPECT_EQ(s.Position(), 7);
    s.Wheel(-120 * 50, false);
    EXPECT_EQ(s.Position(), 0);
    s.Wheel(60, false);  // half a notch
    EXPECT_EQ(s.Position(), 0);
}

TEST(SliderModel, PageKeysStepAPageAndHomeAndEndGoToTheEnds) {
    const struct {
        ControlKey key;
        int32_t from, to;
        SliderCode code;
    } cases[] = {{ControlKey::PageDown, 90, 100, SliderCode::PageRight},
                 {ControlKey::PageUp, 50, 30, SliderCode::PageLeft},
                 {ControlKey::Home, 50, 0, SliderCode::Top},
                 {ControlKey::End, 50, 100, SliderCode::Bottom}};
    for (const auto& c : cases) {
        SliderModel s = Slider(0, 100);  // page 20
        s.SetPosition(c.from);
        EXPECT_EQ(s.KeyDown(c.key), (Codes{c.code})) << c.from;
        EXPECT_EQ(s.Position(), c.to) << c.from;
        EXPECT_EQ(s.KeyUp(c.key), (Codes{kEnd}));
    }
}

TEST(SliderModel, WheelAddsUpPartsOfANotchAndStartsAfreshOnATurnBack) {
    SliderModel s = Slider(0, 100);
    EXPECT_EQ(s.Wheel(60, false), Codes{});
    EXPECT_EQ(s.Wheel(60, false), (Codes{SliderCode::LineRight}));
    s.Wheel(100, false);
    EXPECT_EQ(s.Wheel(-100, false), Codes{});
    EXPECT_EQ(s.Wheel(-20, false), (Codes{SliderCode::LineLeft}));
    EXPECT_EQ(s.Position(), 0);
}

}  // namespace
