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
        HWND list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 10, 10, 160, 110,
                                    parent.m_hWnd, reinterpret_cast<HMENU>(kList), nullptr, nullptr);
        EXPECT_NE(list, nullptr);
        grid.SetColourScheme(&TestScheme());
        EXPECT_TRUE(grid.CreateInPlaceOf(&parent, kList, true));
        for (const char* name :
             {"Leaves", "bubbles", "Stars", "autumn", "Flowers", "pebbles", "Snow", "moths", "Ink"})
            grid.InsertSorted(name);
        grid.Append("A very long category name that cannot fit");
        grid.Append("zz last");
        Activate(parent.m_hWnd);
        harness::Pump(50);
    }
    int Row() { return grid.Model().RowHeight(); }
    int Commands() { return static_cast<int>(parent.Codes(WM_COMMAND, kList).size()); }
};

TEST(GridList, TakesTheListBoxPlaceAndListsSortedThenAppended) {
    Grid g;
    EXPECT_EQ(GetDlgItem(g.parent.m_hWnd, kList), g.grid.m_hWnd);
    EXPECT_EQ(g.grid.GetText(0), "autumn");
    EXPECT_EQ(g.grid.GetText(8), "Stars");
    EXPECT_EQ(g.grid.GetText(10), "zz last");
    ASSERT_NE(g.grid.VerticalBar(), nullptr);
    EXPECT_TRUE(g.grid.VerticalBar()->IsWindowEnabled());
}

TEST(GridList, ClickSelectsAndDragNotifiesOnceOnReleaseAndEscapeRestores) {
    Grid g;
    harness::Click(g.grid.m_hWnd, 20, g.Row() * 2 + 3);
    EXPECT_EQ(g.grid.GetSelection(), 2);
    EXPECT_EQ(g.parent.Codes(WM_COMMAND, kList), (std::vector<UINT>{1}));
    EXPECT_EQ(GetFocus(), g.grid.m_hWnd);

    g.parent.Clear();
    harness::Press(g.grid.m_hWnd, 20, 3);
    harness::MoveTo(g.grid.m_hWnd, 20, g.Row() + 3);
    harness::MoveTo(g.grid.m_hWnd, 20, g.Row() * 3 + 3);
    EXPECT_EQ(g.grid.GetSelection(), 3);
    EXPECT_EQ(g.Commands(), 0);
    harness::Release();
    EXPECT_EQ(g.Commands(), 1);

    g.parent.Clear();
    harness::Press(g.grid.m_hWnd, 20, 3);
    harness::MoveTo(g.grid.m_hWnd, 20, g.Row() + 3);
    harness::Key(VK_ESCAPE);
    harness::Release();
    EXPECT_EQ(g.grid.GetSelection(), 3);
    EXPECT_EQ(g.Commands(), 0);
}

TEST(GridList, KeysMoveTheSelectionAndScrollItIntoView) {
    Grid g;
    g.grid.SetFocus();
    harness::Key(VK_DOWN);
    EXPECT_EQ(g.grid.GetSelection(), 0);
    EXPECT_EQ(g.Commands(), 1);
    int visible = g.grid.Model().VisibleRows();
    for (int i = 0; i < visible; ++i) harness::Key(VK_DOWN);
    EXPECT_EQ(g.grid.GetSelection(), visible);
    EXPECT_EQ(g.grid.Model().FirstRow(), 1);
    EXPECT_EQ(g.grid.VerticalBar()->GetScrollPos(), 1);
    harness::SaveScreenshot(g.parent.m_hWnd, "controls-grid-focused");
    g.grid.SetSelection(10);
    EXPECT_EQ(g.grid.Model().FirstRow(), 10 - visible + 1);
}

TEST(GridList, WheelAndBarScrollTheRows) {
    Grid g;
    harness::MoveTo(g.grid.m_hWnd, 20, 20);
    g.grid.SetFocus();
    harness::Wheel(-WHEEL_DELTA);
    EXPECT_EQ(g.grid.Model().FirstRow(), 1);
    RECT bar = g.grid.VerticalBar()->GetClientRect();
    harness::Click(g.grid.VerticalBar()->m_hWnd, bar.right / 2, bar.bottom - 4);
    EXPECT_EQ(g.grid.Model().FirstRow(), 2);
    harness::Click(g.grid.VerticalBar()->m_hWnd, bar.right / 2, 4);
    EXPECT_EQ(g.grid.Model().FirstRow(), 1);
}

TEST(GridList, LongNamesEndInAnEllipsisInTheSchemeColours) {
    Grid g;
    g.grid.SetSelection(9);
    harness::Pump(40);
    EXPECT_TRUE(harness::SaveScreenshot(g.parent.m_hWnd, "controls-grid-long-name"));
    const ColourScheme& s = TestScheme();
    OrvRect cell = g.grid.Model().CellRect(9);
    EXPECT_EQ(harness::ClientPixel(g.grid.m_hWnd, cell.right - 2, cell.top + 1),
              s[SchemeColour::SelectionBack]);
    g.grid.EnableWindow(false);
    harness::Pump(40);
    EXPECT_FALSE(g.grid.VerticalBar()->IsWindowEnabled());
    EXPECT_TRUE(harness::SaveScreenshot(g.parent.m_hWnd, "controls-grid-disabled"));
}

}  // namespace
