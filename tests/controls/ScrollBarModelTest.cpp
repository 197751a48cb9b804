#include "OrvLib/controls/ScrollBarModel.h"

#include <climits>

#include <gtest/gtest.h>

namespace {

using Messages = ScrollBarModel::Messages;

ScrollMessage Code(int32_t code, int32_t position) { return {false, code, position}; }
ScrollMessage Note(int32_t code, int32_t position) { return {true, code, position}; }

// 100 long, arrows of 10, range 0 to 99 with a page of 10: a track of 80.
ScrollBarModel Bar(bool live, int32_t position = 0) {
    ScrollBarModel b(live);
    b.Layout(100, 10);
    b.SetRange(0, 99);
    b.SetPage(10);
    b.SetPosition(position);
    return b;
}

TEST(ScrollBarModel, PartsFollowPositionAndPageAlongTheTrack) {
    ScrollBarModel b = Bar(false);
    EXPECT_TRUE(b.Parts().hasThumb);
    EXPECT_EQ(b.Parts().thumbStart, 10);
    EXPECT_EQ(b.Parts().thumbEnd, 18);  // after: 80 x 90 / 100 = 72
    EXPECT_EQ(b.HitTest(5), ScrollPart::FirstArrow);
    EXPECT_EQ(b.HitTest(12), ScrollPart::Thumb);
    EXPECT_EQ(b.HitTest(50), ScrollPart::TrackAfter);
    EXPECT_EQ(b.HitTest(95), ScrollPart::SecondArrow);
    b.SetPosition(45);
    EXPECT_EQ(b.Parts().thumbStart, 46);
    EXPECT_EQ(b.HitTest(40), ScrollPart::TrackBefore);
    b.SetPosition(1000);
    EXPECT_EQ(b.Position(), 90);
    EXPECT_EQ(b.Parts().thumbEnd, 90);
    // A page that covers the range shows no thumb, and the track is no part.
    b.SetPage(100);
    EXPECT_FALSE(b.Parts().hasThumb);
    EXPECT_EQ(b.Position(), 0);
    EXPECT_EQ(b.HitTest(50), ScrollPart::None);
}

TEST(ScrollBarModel, LiveBarsMoveThemselvesAndOthersOnlyReport) {
    ScrollBarModel live = Bar(true, 50);
    EXPECT_EQ(live.Press(95), (Messages{Note(104, 51), Code(1, 51)}));
    live.Release();
    EXPECT_EQ(live.Press(20), (Messages{Note(104, 41), Code(2, 41)}));
    live.Release();
    ScrollBarModel top = Bar(true, 0);
    EXPECT_EQ(top.Press(5), (Messages{Code(0, 0)}));
    ScrollBarModel plain = Bar(false, 50);
    EXPECT_EQ(plain.Press(95), (Messages{Code(1, 50)}));
    EXPECT_EQ(plain.Position(), 50);
}

TEST(ScrollBarModel, HeldArrowWaitsTheKeyboardDelayThenRepeatsAtTheKeyboardRate) {
    EXPECT_EQ(ScrollBarModel::RepeatDelayMs(0), 250);
    EXPECT_EQ(ScrollBarModel::RepeatDelayMs(3), 1000);
    EXPECT_EQ(ScrollBarModel::RepeatIntervalMs(31), 33);
    EXPECT_EQ(ScrollBarModel::RepeatIntervalMs(0), 400);
    EXPECT_EQ(ScrollBarModel::RepeatIntervalMs(99), 33);
    ScrollBarModel b = Bar(true, 50);
    b.SetKeyboardTiming(1, 31);
    b.Press(95);
    EXPECT_TRUE(b.Repeating());
    EXPECT_EQ(b.TimerInterval(), 500);
    EXPECT_EQ(b.Tick(95).back(), Code(1, 52));
    EXPECT_EQ(b.TimerInterval(), 33);
    // Off the pressed arrow nothing repeats, back on it the steps go on.
    EXPECT_TRUE(b.Tick(50).empty());
    EXPECT_EQ(b.Tick(95).back(), Code(1, 53));
    b.Release();
    EXPECT_FALSE(b.Repeating());
    EXPECT_TRUE(b.Tick(95).empty());
}

TEST(ScrollBarModel, HeldTrackStopsWhenTheThumbReachesTheCursor) {
    ScrollBarModel b = Bar(true, 0);
    b.Press(60);
    int pages = 1;
    for (int i = 0; i < 20; ++i) pages += b.Tick(60).empty() ? 0 : 1;
    // Thumb under 60 once it starts at 58 (position 60): no paging back and forth.
    EXPECT_EQ(pages, 6);
    EXPECT_EQ(b.Position(), 60);
}

TEST(ScrollBarModel, ThumbDragFollowsTheCursorAndCancelRestores) {
    ScrollBarModel b = Bar(true, 20);
    b.Press(30);
    ASSERT_TRUE(b.PressedOnThumb());
    EXPECT_EQ(b.BeginDrag(), (Messages{Note(100, 20)}));
    EXPECT_FALSE(b.Repeating());
    EXPECT_EQ(b.DragTo(8), (Messages{Note(104, 30), Code(5, 30), Note(101, 30)}));
    EXPECT_EQ(b.Info().trackPosition, 30);
    EXPECT_EQ(b.DragTo(-79), (Messages{Note(104, 0), Code(5, 0), Note(101, 0)}));
    EXPECT_EQ(b.DragTo(-80), (Messages{Code(5, 0), Note(101, 0)}));
    EXPECT_EQ(b.CancelDrag(), (Messages{Note(104, 20), Code(5, 20), Code(8, 20), Note(103, 20)}));
    b.Press(30);
    b.BeginDrag();
    b.DragTo(400);
    EXPECT_EQ(b.EndDrag(), (Messages{Code(5, 90), Code(8, 90), Note(102, 90)}));
    // Only a press on the thumb drags.
    b.Press(95);
    EXPECT_TRUE(b.BeginDrag().empty());
}

TEST(ScrollBarModel, WheelStepsOneArrowPerNotch) {
    ScrollBarModel b = Bar(true, 50);
    Messages m = b.Wheel(240);
    EXPECT_EQ(m.size(), 4u);
    EXPECT_EQ(b.Position(), 48);
    b.Wheel(-360);
    EXPECT_EQ(b.Position(), 51);
    EXPECT_TRUE(b.Wheel(100).empty());
}

TEST(ScrollBarModel, FullIntegerRangeNeitherOverflowsNorLosesTheThumb) {
    ScrollBarModel b(true);
    b.Layout(200, 16);
    b.SetRange(INT_MIN, INT_MAX);
    b.SetPage(1 << 30);
    b.SetPosition(INT_MAX);
    EXPECT_EQ(b.Position(), INT_MAX - (1 << 30) + 1);
    EXPECT_EQ(b.Parts().thumbEnd, 184);
    EXPECT_EQ(b.Parts().thumbStart, 184 - 42);
    b.Press(100);
    EXPECT_EQ(b.Position(), INT_MAX - (1 << 30) + 1 - (1 << 30));
    b.Release();
    b.SetPosition(INT_MIN);
    b.Press(5);
    EXPECT_EQ(b.Position(), INT_MIN);
}

}  // namespace
