// The grid list under real input: clicks, drags and Escape, keys, the wheel and its bar.
#include <gtest/gtest.h>

#include "ControlTestWindow.h"
#include "OrvLib/controls/win32/OrvGridControl.h"
#include "WindowHarness.h"

namespace {

constexpr UINT kList = 50;

struct Grid {
    TestParent parent{180, 130};
    OrvGridControl grid;
    Grid() {
        // Taken over from a list box, as the Image page does.
        HWND list =
            CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER,
                            10, 10, 160, 110, parent.hWnd, reinterpret_cast<HMENU>(kList), nullptr, nullptr);
        EXPECT_NE(list, nullptr);
        grid.SetColourScheme(&TestScheme());
        EXPECT_TRUE(grid.CreateInPlaceOf(&parent, kList, true));
        for (const char* name :
             {"Leaves", "bubbles", "Stars", "autumn", "Flowers", "pebbles", "Snow", "moths", "Ink"})
            grid.InsertSorted(name);
        grid.Append("A very long category name that cannot fit");
        grid.Append("zz last");
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
    int Row() { return grid.Model().RowHeight(); }
    int Commands() { return static_cast<int>(parent.Codes(WM_COMMAND, kList).size()); }
};

TEST(GridList, TakesTheListBoxPlaceAndListsSortedThenAppended) {
    Grid g;
    EXPECT_EQ(GetDlgItem(g.parent.hWnd, kList), g.grid.hWnd);
    EXPECT_EQ(g.grid.GetText(0), "autumn");
    EXPECT_EQ(g.grid.GetText(8), "Stars");
    EXPECT_EQ(g.grid.GetText(10), "zz last");
    ASSERT_NE(g.grid.VerticalBar(), nullptr);
    EXPECT_TRUE(g.grid.VerticalBar()->IsWindowEnabled());
}

TEST(GridList, ClickSelectsAndDragNotifiesOnceOnReleaseAndEscapeRestores) {
    Grid g;
    Harness::Click(g.grid.hWnd, 20, g.Row() * 2 + 3);
    EXPECT_EQ(g.grid.GetSelection(), 2);
    EXPECT_EQ(g.parent.Codes(WM_COMMAND, kList), (std::vector<UINT>{1}));
    EXPECT_EQ(GetFocus(), g.grid.hWnd);

    g.parent.Clear();
    Harness::Press(g.grid.hWnd, 20, 3);
    Harness::MoveTo(g.grid.hWnd, 20, g.Row() + 3);
    Harness::MoveTo(g.grid.hWnd, 20, g.Row() * 3 + 3);
    EXPECT_EQ(g.grid.GetSelection(), 3);
    EXPECT_EQ(g.Commands(), 0);
    Harness::Release();
    EXPECT_EQ(g.Commands(), 1);

    g.parent.Clear();
    Harness::Press(g.grid.hWnd, 20, 3);
    Harness::MoveTo(g.grid.hWnd, 20, g.Row() + 3);
    Harness::Key(VK_ESCAPE);
    Harness::Release();
    EXPECT_EQ(g.grid.GetSelection(), 3);
    EXPECT_EQ(g.Commands(), 0);
}

TEST(GridList, KeysMoveTheSelectionAndScrollItIntoView) {
    Grid g;
    g.grid.SetFocus();
    Harness::Pump(30);
    // Nothing selected yet, the focus shows on the cell the first key selects.
    const OrvRect first = g.grid.Model().CellRect(0);
    int dots = 0;
    for (int x = first.left; x < first.right; ++x)
        dots += Harness::ClientPixel(g.grid.hWnd, x, first.top) != TestScheme()[SchemeColour::Window];
    EXPECT_GT(dots, first.Width() / 3);
    Harness::Key(VK_DOWN);
    EXPECT_EQ(g.grid.GetSelection(), 0);
    EXPECT_EQ(g.Commands(), 1);
    int visible = g.grid.Model().VisibleRows();
    for (int i = 0; i < visible; ++i) Harness::Key(VK_DOWN);
    EXPECT_EQ(g.grid.GetSelection(), visible);
    EXPECT_EQ(g.grid.Model().FirstRow(), 1);
    EXPECT_EQ(g.grid.VerticalBar()->GetScrollPos(), 1);
    Harness::SaveScreenshot(g.parent.hWnd, "controls-grid-focused");
    g.grid.SetSelection(10);
    EXPECT_EQ(g.grid.Model().FirstRow(), 10 - visible + 1);
}

TEST(GridList, WheelAndBarScrollTheRows) {
    Grid g;
    Harness::MoveTo(g.grid.hWnd, 20, 20);
    g.grid.SetFocus();
    Harness::Wheel(-WHEEL_DELTA);
    EXPECT_EQ(g.grid.Model().FirstRow(), 1);
    RECT bar = g.grid.VerticalBar()->GetClientRect();
    Harness::Click(g.grid.VerticalBar()->hWnd, bar.right / 2, bar.bottom - 4);
    EXPECT_EQ(g.grid.Model().FirstRow(), 2);
    Harness::Click(g.grid.VerticalBar()->hWnd, bar.right / 2, 4);
    EXPECT_EQ(g.grid.Model().FirstRow(), 1);
}

TEST(GridList, LongNamesEndInAnEllipsisInTheSchemeColours) {
    Grid g;
    g.grid.SetSelection(9);
    Harness::Pump(40);
    EXPECT_TRUE(Harness::SaveScreenshot(g.parent.hWnd, "controls-grid-long-name"));
    const ColourScheme& s = TestScheme();
    OrvRect cell = g.grid.Model().CellRect(9);
    EXPECT_EQ(Harness::ClientPixel(g.grid.hWnd, cell.right - 2, cell.top + 1),
              s[SchemeColour::SelectionBack]);
    g.grid.EnableWindow(false);
    Harness::Pump(40);
    EXPECT_FALSE(g.grid.VerticalBar()->IsWindowEnabled());
    EXPECT_TRUE(Harness::SaveScreenshot(g.parent.hWnd, "controls-grid-disabled"));
}

TEST(GridList, ColumnsThatDoNotFitScrollSidewaysByBarKeysAndWheel) {
    TestParent parent{220, 120};
    OrvGridControl grid;
    grid.SetColourScheme(&TestScheme());
    ASSERT_TRUE(grid.Create(&parent, RECT{10, 10, 210, 110}, kList));
    // Down the columns, as many rows as fit, each column as wide as the widest name.
    grid.SetStyle(GridStyle::kColumnsFirst | GridStyle::kNotifySelection);
    grid.SetRequests(0, 1);
    grid.SetColumnWidth(GridWidth::kWidestText, -1);
    for (int i = 1; i <= 20; ++i) grid.Append("Pattern " + std::to_string(i));
    Activate(parent.hWnd);
    Harness::Pump(50);
    const GridModel& m = grid.Model();
    ASSERT_NE(grid.HorizontalBar(), nullptr);
    EXPECT_EQ(grid.VerticalBar(), nullptr);
    EXPECT_TRUE(grid.HorizontalBar()->IsWindowEnabled());
    EXPECT_GT(m.Columns(), m.VisibleColumns());
    int rows = m.Rows();

    // The bar's right arrow shows the next column.
    RECT bar = grid.HorizontalBar()->GetClientRect();
    Harness::Click(grid.HorizontalBar()->hWnd, bar.right - 4, bar.bottom / 2);
    EXPECT_EQ(m.FirstColumn(), 1);
    EXPECT_EQ(grid.HorizontalBar()->GetScrollPos(), 1);
    // A click selects the cell under it; Right moves a whole column along.
    OrvRect cell = m.CellRect(rows + 1);
    Harness::Click(grid.hWnd, cell.left + 5, cell.top + 3);
    EXPECT_EQ(grid.GetSelection(), rows + 1);
    parent.Clear();
    Harness::Key(VK_RIGHT);
    EXPECT_EQ(grid.GetSelection(), 2 * rows + 1);
    EXPECT_EQ(parent.Codes(WM_COMMAND, kList), (std::vector<UINT>{1}));
    Harness::SaveScreenshot(parent.hWnd, "controls-grid-columns");
    // With no rows to scroll the wheel turns the columns.
    Harness::MoveTo(grid.hWnd, 20, 20);
    int first = m.FirstColumn();
    Harness::Wheel(WHEEL_DELTA);
    EXPECT_EQ(m.FirstColumn(), first - 1);
    // The window colour beside the last whole column, not the face.
    OrvRect cells = m.Cells();
    EXPECT_EQ(Harness::ClientPixel(grid.hWnd, cells.right - 1, cells.top + 1),
              TestScheme()[SchemeColour::Window]);
}

}  // namespace
