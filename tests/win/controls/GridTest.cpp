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

}  // namespace
