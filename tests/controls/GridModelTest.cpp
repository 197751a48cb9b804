#include "OrvLib/controls/GridModel.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> Texts(const GridModel& g) {
    std::vector<std::string> out;
    for (int32_t i = 0; i < g.Count(); ++i) out.push_back(g.Item(i).text);
    return out;
}

// Rows 16 high (a 13-pixel space plus 3), bars 15 thick.
GridMetrics Metrics() {
    GridMetrics m;
    m.spaceHeight = 13;
    m.barThickness = 15;
    m.textWidth = [](const std::string& text) { return static_cast<int32_t>(text.size()) * 6; };
    return m;
}

GridModel Numbered(int32_t n, OrvRect client = {0, 0, 120, 100}) {
    GridModel g;
    for (int32_t i = 0; i < n; ++i) g.Append("item " + std::to_string(i));
    g.Layout(client, Metrics());  // six whole rows
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
    EXPECT_FALSE(few.ShowsVertical());
    EXPECT_FALSE(few.ShowsHorizontal());
    EXPECT_EQ(few.Cells().right, 120);
    EXPECT_EQ(few.ColumnWidth(), 120);
    GridModel g = Numbered(20);
    EXPECT_EQ(g.VisibleRows(), 6);
    EXPECT_TRUE(g.ShowsVertical());
    EXPECT_FALSE(g.ShowsHorizontal());
    EXPECT_EQ(g.Cells().right, 105);
    EXPECT_EQ(g.ColumnWidth(), 105);
    EXPECT_EQ(g.VerticalBar(), (OrvRect{105, 0, 120, 100}));
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

TEST(GridModel, KeysMoveTheSelectionByOneRowOrColumnAndTheWheelScrollsRows) {
    GridModel g = Numbered(3);
    EXPECT_EQ(g.KeyTarget(ControlKey::Up), 0);  // no selection yet: item 0
    g.SetSelection(0);
    EXPECT_EQ(g.KeyTarget(ControlKey::Up), -1);
    EXPECT_EQ(g.KeyTarget(ControlKey::Down), 1);
    EXPECT_EQ(g.KeyTarget(ControlKey::Right), -1);  // one column: nothing beside it
    g.SetSelection(2);
    EXPECT_EQ(g.KeyTarget(ControlKey::Down), -1);
    EXPECT_EQ(g.KeyTarget(ControlKey::PageDown), -1);
    EXPECT_EQ(GridModel().KeyTarget(ControlKey::Down), -1);

    GridModel many = Numbered(20);
    EXPECT_TRUE(many.Wheel(-240));
    EXPECT_EQ(many.FirstRow(), 2);
    EXPECT_TRUE(many.Wheel(480));
    EXPECT_EQ(many.FirstRow(), 0);
    EXPECT_FALSE(many.Wheel(120));
    many.Wheel(-120 * 100);
    EXPECT_EQ(many.FirstRow(), 14);
}

TEST(GridModel, RowFirstColumnsOfTheWidestTextScrollSidewaysWhenTheyDoNotFit) {
    GridModel g;
    for (int32_t i = 0; i < 10; ++i) g.Append("name " + std::to_string(i));  // 36 pixels of text
    g.SetRequests(1, 4);
    g.SetColumnWidth(GridWidth::kWidestText, -1);
    g.Layout({0, 0, 120, 100}, Metrics());
    EXPECT_EQ(g.ColumnWidth(), 3 + 36 + 4);
    EXPECT_EQ(g.Columns(), 4);
    EXPECT_EQ(g.Rows(), 3);
    EXPECT_EQ(g.VisibleColumns(), 2);
    EXPECT_TRUE(g.ShowsHorizontal());
    EXPECT_FALSE(g.ShowsVertical());
    EXPECT_EQ(g.HorizontalBar(), (OrvRect{0, 85, 120, 100}));
    EXPECT_EQ(g.Cells(), (OrvRect{0, 0, 120, 85}));
    // Item 6 is row 1, column 2: off to the right until selected.
    EXPECT_EQ(g.HitTest({50, 20}), 5);
    EXPECT_EQ(g.HitTest({100, 40}), -1);  // row 2 of the third column holds no item
    g.SetSelection(6);
    EXPECT_EQ(g.FirstColumn(), 1);
    EXPECT_EQ(g.CellRect(6), (OrvRect{43, 16, 86, 32}));
    EXPECT_EQ(g.KeyTarget(ControlKey::Right), 7);
    EXPECT_EQ(g.KeyTarget(ControlKey::Down), -1);  // row 2 has only items 8 and 9
    EXPECT_EQ(g.KeyTarget(ControlKey::Up), 2);
    // The rows fit, so the wheel turns the columns.
    EXPECT_TRUE(g.Wheel(-120));
    EXPECT_EQ(g.FirstColumn(), 2);
}

TEST(GridModel, ColumnFirstGridFillsTheColumnsDownAndForcedBarsShowAnyway) {
    GridModel g = Numbered(0);
    for (int32_t i = 0; i < 14; ++i) g.Append(std::to_string(i));
    g.SetStyle(GridStyle::kColumnsFirst | GridStyle::kForceVertical);
    g.SetRequests(0, 2);  // as many rows as fit, two columns across the cells
    g.SetRowHeight(GridHeight::kFixed, 20);
    g.Layout({0, 0, 120, 100}, Metrics());
    EXPECT_TRUE(g.ShowsVertical());
    EXPECT_EQ(g.Rows(), 4);  // 85 high once the horizontal bar is there
    EXPECT_EQ(g.Columns(), 4);
    EXPECT_EQ(g.ColumnWidth(), 52);
    EXPECT_TRUE(g.ShowsHorizontal());
    EXPECT_FALSE(g.NeedsVertical());
    EXPECT_EQ(g.RowOf(5), 1);
    EXPECT_EQ(g.ColumnOf(5), 1);
    EXPECT_EQ(g.IndexAt(3, 3), -1);
    EXPECT_EQ(g.HitTest({60, 25}), 5);
    g.SetSelection(5);
    EXPECT_EQ(g.KeyTarget(ControlKey::Down), 6);
    EXPECT_EQ(g.KeyTarget(ControlKey::Right), 9);
    // Text height plus margins for rows, and a fixed width of 0 falls back to sharing.
    g.SetRowHeight(GridHeight::kTextHeight, -1);
    g.SetColumnWidth(GridWidth::kFixed, 0);
    g.SetStyle(0);
    g.SetRequests(1, 1);
    g.Layout({0, 0, 120, 100}, Metrics());
    EXPECT_EQ(g.RowHeight(), 17);
    EXPECT_EQ(g.Columns(), 1);
    EXPECT_EQ(g.Rows(), 14);
}

}  // namespace
