#include "OrvLib/controls/TabStripModel.h"

#include <gtest/gtest.h>

namespace {

// Six pixels per character, 13 high.
OrvSize Measure(const std::string& text) { return OrvSize{static_cast<int32_t>(text.size()) * 6, 13}; }

TabStripModel Strip(uint32_t style, int32_t width = 300) {
    TabStripModel t;
    t.SetStyle(style);
    t.SetRowHeight(20);
    t.Insert(0, "Image");
    t.Insert(1, "Settings");
    t.Insert(2, "Options");
    t.Layout({0, 0, width, 200}, Measure);
    return t;
}

TEST(TabStripModel, FirstTabIsSelectedAndSelectionIsClamped) {
    TabStripModel t;
    EXPECT_FALSE(t.SetSelection(0));
    EXPECT_EQ(t.Insert(7, "a"), 0);
    EXPECT_EQ(t.Selection(), 0);
    t.Insert(1, "b");
    t.Insert(2, "c");
    EXPECT_TRUE(t.SetSelection(5));
    EXPECT_EQ(t.Selection(), 2);
    EXPECT_FALSE(t.SetSelection(2));
    // A tab inserted before the selected one leaves the same tab selected.
    t.Insert(0, "z");
    EXPECT_EQ(t.Item(t.Selection()).text, "c");
}

TEST(TabStripModel, RaisedSelectedTabGrowsIntoTheBodyAndLiftsItsText) {
    TabStripModel t = Strip(TabStyle::kRaised);
    const TabItem& image = t.Item(0);
    const TabItem& settings = t.Item(1);
    // Measured: margins 2 + insets 2 on each side of the text; row 20 less 2 above.
    EXPECT_EQ(settings.rect, (OrvRect{40, 2, 40 + 56, 20}));
    EXPECT_EQ(settings.textRect.left - settings.rect.left, 4);
    EXPECT_EQ(settings.textRect.top, 6);
    EXPECT_EQ(image.rect, (OrvRect{0, 0, 42, 21}));
    EXPECT_EQ(image.textRect.top, 4);
    EXPECT_EQ(image.textRect.left, 6);
    EXPECT_EQ(t.Row(), (OrvRect{0, 0, 300, 20}));
    EXPECT_EQ(t.Body(), (OrvRect{0, 20, 300, 200}));
    // Framed tabs do not grow.
    TabStripModel framed = Strip(TabStyle::kFramed);
    EXPECT_EQ(framed.Item(0).rect.Height(), 20);
}

TEST(TabStripModel, TabsThatDoNotFitScrollBehindTwoScrollAreas) {
    // 148 pixels of tabs in 140.
    TabStripModel t = Strip(TabStyle::kRaised, 140);
    ASSERT_TRUE(t.Scrolling());
    // Tabs 18 high: two 18-pixel squares at the row's right end.
    EXPECT_EQ(t.ScrollArea(TabHit::kScrollBack), (OrvRect{104, 2, 122, 20}));
    EXPECT_EQ(t.ScrollArea(TabHit::kScrollForward), (OrvRect{122, 2, 140, 20}));
    EXPECT_EQ(t.HitTest({110, 10}), TabHit::kScrollBack);
    EXPECT_EQ(t.HitTest({130, 10}), TabHit::kScrollForward);
    EXPECT_FALSE(t.Item(1).rect.IsEmpty());
    EXPECT_TRUE(t.Item(2).rect.IsEmpty());
    EXPECT_EQ(t.HitTest({100, 10}), TabHit::kNone);
    EXPECT_EQ(t.HitTest({50, 10}), 1);
    // The grown selected tab wins where it overlaps its neighbour.
    EXPECT_EQ(t.HitTest({41, 10}), 0);
    EXPECT_EQ(t.HitTest({10, 30}), TabHit::kNone);
    EXPECT_FALSE(t.CanScrollBack());
    ASSERT_TRUE(t.CanScrollForward());
    // Dropping right of the last tab shown lands after it, not after the hidden ones.
    EXPECT_EQ(t.DropIndex({100, 5}), 2);

    EXPECT_TRUE(t.Scroll(TabHit::kScrollForward));
    t.Layout({0, 0, 140, 200}, Measure);
    EXPECT_EQ(t.FirstVisible(), 1);
    EXPECT_TRUE(t.Item(0).rect.IsEmpty());
    EXPECT_EQ(t.Item(1).rect, (OrvRect{2, 2, 58, 20}));
    EXPECT_TRUE(t.Item(2).rect.IsEmpty());
    EXPECT_TRUE(t.Scroll(TabHit::kScrollForward));
    t.Layout({0, 0, 140, 200}, Measure);
    EXPECT_EQ(t.Item(2).rect.left, 2);
    EXPECT_FALSE(t.Scroll(TabHit::kScrollForward));
    EXPECT_TRUE(t.CanScrollBack());

    // Selecting a hidden tab brings it into view; widening the strip shows every tab.
    t.SetSelection(1);
    t.Layout({0, 0, 140, 200}, Measure);
    EXPECT_EQ(t.FirstVisible(), 1);
    t.SetSelection(2);
    t.Layout({0, 0, 140, 200}, Measure);
    EXPECT_EQ(t.FirstVisible(), 2);
    t.Layout({0, 0, 300, 200}, Measure);
    EXPECT_FALSE(t.Scrolling());
    EXPECT_EQ(t.FirstVisible(), 0);
    EXPECT_TRUE(t.ScrollArea(TabHit::kScrollBack).IsEmpty());
}

TEST(TabStripModel, DraggedTabLandsBeforeTheTabWhoseMiddleIsPastTheCursor) {
    TabStripModel t = Strip(TabStyle::kRaised);
    EXPECT_EQ(t.DropIndex({0, 5}), 0);
    EXPECT_EQ(t.DropIndex({70, 5}), 2);
    EXPECT_EQ(t.DropIndex({290, 5}), 3);
    EXPECT_EQ(t.MoveSelected(3), 2);
    EXPECT_EQ(t.Item(2).text, "Image");
    EXPECT_EQ(t.Item(0).text, "Settings");
    EXPECT_EQ(t.Selection(), 2);
    EXPECT_EQ(t.MoveSelected(0), 0);
    EXPECT_EQ(t.Item(0).text, "Image");
}

TEST(TabStripModel, VerticalTabsRunDownTheSide) {
    TabStripModel t = Strip(TabStyle::kRaised | TabStyle::kVertical);
    EXPECT_EQ(t.Row(), (OrvRect{0, 0, 20, 200}));
    EXPECT_EQ(t.Item(1).rect, (OrvRect{2, 40, 20, 40 + 56}));
    EXPECT_EQ(t.HitTest({10, 50}), 1);
    EXPECT_EQ(t.DropIndex({5, 70}), 2);
}

}  // namespace

TEST(TabStripModel, ArrowsStepAlongThePlacedTabsWithoutWrapping) {
    TabStripModel t = Strip(TabStyle::kRaised);
    EXPECT_EQ(t.KeyTarget(ControlKey::Left), -1) << "nothing before the first tab";
    EXPECT_EQ(t.KeyTarget(ControlKey::Right), 1);
    EXPECT_EQ(t.KeyTarget(ControlKey::Down), 1);
    EXPECT_EQ(t.KeyTarget(ControlKey::End), 2);
    EXPECT_EQ(t.KeyTarget(ControlKey::Home), -1) << "already on the first tab";
    EXPECT_EQ(t.KeyTarget(ControlKey::Space), -1);
    t.SetSelection(2);
    EXPECT_EQ(t.KeyTarget(ControlKey::Right), -1) << "nothing after the last tab";
    EXPECT_EQ(t.KeyTarget(ControlKey::Up), 1);
    EXPECT_EQ(t.KeyTarget(ControlKey::Home), 0);

    // A tab scrolled out of view is reached all the same and comes into view.
    TabStripModel narrow = Strip(TabStyle::kRaised, 140);
    ASSERT_TRUE(narrow.Item(2).rect.IsEmpty());
    EXPECT_EQ(narrow.KeyTarget(ControlKey::End), 2);
    narrow.SetSelection(narrow.KeyTarget(ControlKey::End));
    narrow.Layout({0, 0, 140, 200}, Measure);
    EXPECT_FALSE(narrow.Item(2).rect.IsEmpty());
    EXPECT_EQ(narrow.KeyTarget(ControlKey::Left), 1);

    TabStripModel empty;
    EXPECT_EQ(empty.KeyTarget(ControlKey::Right), -1);
    EXPECT_EQ(empty.KeyTarget(ControlKey::Home), -1);
}
