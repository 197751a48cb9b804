#include "OrvLib/controls/GridModel.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const GridModel& g) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < g.Count(); ++i) out.push_back(g.Item(i).text);
    return out;
}

GridModel Numbered(int32_t n) {
    GridModel g;
    for (int32_t i = 0; i < n; ++i) g.Append("item " + std::to_string(i));
    g.Layout({0, 0, 120, 100}, 16, 15, false);  // six whole rows
    return g;
}

TEST(GridModel, SortedInsertionIgnoresCaseAndAppendedItemsComeLast) {
    GridModel g;
    g.InsertSorted("beta");
    g.InsertSorted("Alpha");
    g.InsertSorted("gamma");
    g.InsertSorted("BETA");
    g.Append("aardvark");
    EXPECT_EQ(Texts(g), (std::vector<std::string>{"Alpha", "BETA", "beta", "gamma", "aardvark"}));
    EXPECT_EQ(g.InsertAt(-3, "first"), 0);
    EXPECT_EQ(g.InsertAt(99, "last"), 6);
}

TEST(GridModel, SortedInsertionPutsTheSignsBetweenTheAlphabetsBeforeLetters) {
    // As the system's sorted lists do; an upper-case comparison would put both last.
    GridModel g;
    g.InsertSorted("ab");
    g.InsertSorted("A_c");
    g.InsertSorted("[x]");
    g.InsertSorted("\xC9t\xE9");  // bytes above 127 follow every ASCII character
    g.InsertSorted("Zed");
    EXPECT_EQ(Texts(g), (std::vector<std::string>{"[x]", "A_c", "ab", "Zed", "\xC9t\xE9"}));
}

TEST(GridModel, SelectionFollowsItsItemAcrossInsertions) {
    GridModel g;
    g.Append("b");
    g.Append("d");
    g.SetSelection(1);
    g.InsertSorted("c");
    EXPECT_EQ(g.Item(g.Selection()).text, "d");
    g.InsertSorted("e");
    EXPECT_EQ(g.Item(g.Selection()).text, "d");
    g.SetSelection(17);
    EXPECT_EQ(g.Selection(), -1);
    g.InsertAt(0, "a");
    EXPECT_EQ(g.Selection(), -1);
}

TEST(GridModel, BarAppearsWhenRowsDoNotFitAndSelectingScrollsIntoView) {
    GridModel few = Numbered(6);
    EXPECT_FALSE(few.ShowsBar());
    EXPECT_EQ(few.Cells().right, 120);
    GridModel g = Numbered(20);
    EXPECT_EQ(g.VisibleRows(), 6);
    EXPECT_TRUE(g.ShowsBar());
    EXPECT_EQ(g.Cells().right, 105);
    EXPECT_EQ(g.BarRect(), (OrvRect{105, 0, 120, 100}));
    g.SetSelection(10);
    EXPECT_EQ(g.FirstRow(), 5);  // item 10 on the last whole row
    EXPECT_EQ(g.CellRect(10).top, 80);
    g.SetSelection(2);
    EXPECT_EQ(g.FirstRow(), 2);
    g.SetFirstRow(100);
    EXPECT_EQ(g.FirstRow(), 14);
}

TEST(GridModel, HitTestFindsRowsAndNothingBelowTheItems) {
    GridModel g = Numbered(20);
    g.SetFirstRow(3);
    EXPECT_EQ(g.HitTest({10, 0}), 3);
    EXPECT_EQ(g.HitTest({10, 35}), 5);
    EXPECT_EQ(g.HitTest({110, 35}), -1);  // on the bar
    GridModel few = Numbered(2);
    EXPECT_EQ(few.HitTest({10, 40}), -1);
}

TEST(GridModel, KeysMoveTheSelectionByOneAndTheWheelScrollsRows) {
    GridModel g = Numbered(3);
    EXPECT_EQ(g.KeyTarget(ControlKey::Up), 0);  // no selection yet: item 0
    g.SetSelection(0);
    EXPECT_EQ(g.KeyTarget(ControlKey::Up), -1);
    EXPECT_EQ(g.KeyTarget(ControlKey::Down), 1);
    EXPECT_EQ(g.KeyTarget(ControlKey::Right), 1);
    g.SetSelection(2);
    EXPECT_EQ(g.KeyTarget(ControlKey::Down), -1);
    EXPECT_EQ(g.KeyTarget(ControlKey::PageDown), -1);
    EXPECT_EQ(GridModel().KeyTarget(ControlKey::Down), -1);

    GridModel many = Numbered(20);
    EXPECT_EQ(many.FirstRowAfterWheel(-240), 2);
    EXPECT_EQ(many.FirstRowAfterWheel(240), 0);
    EXPECT_EQ(many.FirstRowAfterWheel(-120 * 100), 14);
}

}  // namespace
