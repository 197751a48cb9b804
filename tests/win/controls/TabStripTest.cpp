// The tab strip under real input: selection, the parent's consent to drags and renames,
// and the look of each selected place.
#include <algorithm>

#include <gtest/gtest.h>

#include "ControlTestWindow.h"
#include "OrvLib/controls/win32/OrvDragTabCtrl.h"
#include "WindowHarness.h"

namespace {

constexpr UINT kTabs = 60;

struct Strip {
    TestParent parent{300, 110};
    OrvDragTabCtrl tabs;
    explicit Strip(uint32_t style = TabStyle::kRaised) {
        tabs.SetColourScheme(&TestScheme());
        EXPECT_TRUE(tabs.Create(&parent, RECT{10, 10, 290, 100}, kTabs));
        tabs.SetStyle(style);
        tabs.SetTabRowHeight(20);
        for (const char* name : {"Image", "Settings", "Options"}) tabs.InsertItem(tabs.GetItemCount(), name);
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
    POINT Centre(int index) {
        const OrvRect& r = tabs.Model().Item(index).rect;
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }
    void Click(int index) { Harness::Click(tabs.hWnd, Centre(index).x, Centre(index).y); }
};

using Codes = std::vector<UINT>;

TEST(TabStrip, ClickSelectsOnceAndTheSelectedTabStandsOut) {
    Strip s;
    EXPECT_EQ(s.tabs.GetCurSel(), 0);
    OrvRect before = s.tabs.Model().Item(1).rect;
    s.Click(1);
    EXPECT_EQ(s.tabs.GetCurSel(), 1);
    EXPECT_EQ(s.parent.Codes(WM_NOTIFY, kTabs), (Codes{OrvTabCode::kSelected}));
    OrvRect grown = s.tabs.Model().Item(1).rect;
    EXPECT_EQ(grown.Width(), before.Width() + 4);
    EXPECT_EQ(grown.Height(), before.Height() + 3);
    s.Click(1);
    EXPECT_EQ(s.parent.Codes(WM_NOTIFY, kTabs), (Codes{OrvTabCode::kSelected}));
    // The body's top line is open under the selected tab and highlighted beside it.
    const ColourScheme& c = TestScheme();
    int top = s.tabs.Model().Body().top;
    EXPECT_EQ(Harness::ClientPixel(s.tabs.hWnd, (grown.left + grown.right) / 2, top), c[SchemeColour::Face]);
    EXPECT_EQ(Harness::ClientPixel(s.tabs.hWnd, grown.right + 5, top), c[SchemeColour::Highlight]);
}

TEST(TabStrip, ShowsTheSelectionInEachPlace) {
    Strip s;
    for (int i = 0; i < 3; ++i) {
        s.Click(i);
        EXPECT_EQ(s.tabs.GetCurSel(), i);
        EXPECT_TRUE(Harness::SaveScreenshot(s.parent.hWnd, "controls-tabs-" + std::to_string(i)));
    }
}

TEST(TabStrip, DragsNeedTheParentsConsent) {
    Strip s;
    s.Click(0);
    POINT from = s.Centre(0), to = s.Centre(2);
    Harness::Press(s.tabs.hWnd, from.x, from.y);
    Harness::MoveTo(s.tabs.hWnd, from.x + 20, from.y);
    Harness::MoveTo(s.tabs.hWnd, to.x + 30, to.y);
    EXPECT_FALSE(s.tabs.DragActive());
    Harness::Release();
    EXPECT_EQ(s.tabs.GetItemText(0), "Image");
    Codes codes = s.parent.Codes(WM_NOTIFY, kTabs);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), OrvTabCode::kMayMove), 0);

    s.parent.answers[OrvTabCode::kMayDrag] = 1;
    s.parent.answers[OrvTabCode::kMayMove] = 1;
    s.parent.Clear();
    Harness::Press(s.tabs.hWnd, from.x, from.y);
    Harness::MoveTo(s.tabs.hWnd, from.x + 20, from.y);
    Harness::MoveTo(s.tabs.hWnd, to.x + 30, to.y);
    EXPECT_TRUE(s.tabs.DragActive());
    Harness::SaveScreenshot(s.parent.hWnd, "controls-tabs-dragging");
    Harness::Release();
    EXPECT_EQ(s.tabs.GetItemText(2), "Image");
    EXPECT_EQ(s.tabs.GetCurSel(), 2);
    codes = s.parent.Codes(WM_NOTIFY, kTabs);
    ASSERT_FALSE(codes.empty());
    EXPECT_EQ(codes.back(), OrvTabCode::kMoved);
}

TEST(TabStrip, RenamesInPlaceWhenAllowed) {
    Strip s(TabStyle::kRaised | TabStyle::kRenameOnClick);
    s.Click(0);
    EXPECT_EQ(s.tabs.RenameBox(), nullptr);  // refused: the parent answers 0
    s.parent.answers[OrvTabCode::kMayRename] = 1;
    // Far enough apart not to make a double click.
    Harness::Pump(static_cast<int>(GetDoubleClickTime()) + 50);
    s.Click(0);
    ASSERT_NE(s.tabs.RenameBox(), nullptr);
    EXPECT_EQ(GetFocus(), s.tabs.RenameBox()->hWnd);
    for (char k : std::string("LEAVES")) Harness::Key(static_cast<WORD>(k));
    Harness::SaveScreenshot(s.parent.hWnd, "controls-tabs-renaming");
    // Grown to fit, the box shows the name from its first letter.
    LRESULT first = s.tabs.RenameBox()->SendMessage(EM_POSFROMCHAR, 0);
    EXPECT_GE(static_cast<short>(LOWORD(first)), 0);
    Harness::Key(VK_RETURN);
    Harness::Pump(30);
    EXPECT_EQ(s.tabs.RenameBox(), nullptr);
    EXPECT_EQ(s.tabs.GetItemText(0), "leaves");
    EXPECT_EQ(s.parent.Codes(WM_NOTIFY, kTabs).back(), OrvTabCode::kRenamed);

    Harness::Pump(static_cast<int>(GetDoubleClickTime()) + 50);
    s.Click(0);
    ASSERT_NE(s.tabs.RenameBox(), nullptr);
    Harness::Key('X');
    Harness::Key(VK_ESCAPE);
    Harness::Pump(30);
    EXPECT_EQ(s.tabs.GetItemText(0), "leaves");
    EXPECT_EQ(s.parent.Codes(WM_NOTIFY, kTabs).back(), OrvTabCode::kRenameCancelled);
}

TEST(TabStrip, TabsThatDoNotFitScrollWithTheArrowsAtTheEnd) {
    TestParent parent{200, 90};
    OrvDragTabCtrl tabs;
    tabs.SetColourScheme(&TestScheme());
    ASSERT_TRUE(tabs.Create(&parent, RECT{10, 10, 190, 80}, kTabs));
    tabs.SetStyle(TabStyle::kRaised);
    tabs.SetTabRowHeight(20);
    for (const char* name : {"Image", "Settings", "Options", "Presets", "About"})
        tabs.InsertItem(tabs.GetItemCount(), name);
    Activate(parent.hWnd);
    Harness::Pump(50);
    const TabStripModel& m = tabs.Model();
    ASSERT_TRUE(m.Scrolling());
    EXPECT_TRUE(m.Item(4).rect.IsEmpty());
    Harness::SaveScreenshot(parent.hWnd, "controls-tabs-scroll-start");
    auto clickArea = [&](int which) {
        const OrvRect& r = m.ScrollArea(which);
        Harness::Click(tabs.hWnd, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    // Forward as far as it goes: one tab a click, the selection left alone.
    for (int i = 0; i < 5 && m.CanScrollForward(); ++i) {
        int first = m.FirstVisible();
        clickArea(TabHit::kScrollForward);
        EXPECT_EQ(m.FirstVisible(), first + 1);
        Harness::Pump(static_cast<int>(GetDoubleClickTime()) + 20);
    }
    EXPECT_FALSE(m.CanScrollForward());
    EXPECT_FALSE(m.Item(4).rect.IsEmpty());
    EXPECT_TRUE(m.Item(0).rect.IsEmpty());
    EXPECT_EQ(tabs.GetCurSel(), 0);
    EXPECT_TRUE(parent.Codes(WM_NOTIFY, kTabs).empty());
    Harness::SaveScreenshot(parent.hWnd, "controls-tabs-scroll-end");
    // The spent forward arrow is drawn disabled, the back arrow enabled.
    const ColourScheme& c = TestScheme();
    const OrvRect& f = m.ScrollArea(TabHit::kScrollForward);
    const OrvRect& b = m.ScrollArea(TabHit::kScrollBack);
    int fx = (f.left + f.right) / 2, bx = (b.left + b.right) / 2, y = (f.top + f.bottom) / 2;
    EXPECT_EQ(Harness::ClientPixel(tabs.hWnd, bx, y), c[SchemeColour::Text]);
    EXPECT_NE(Harness::ClientPixel(tabs.hWnd, fx, y), c[SchemeColour::Text]);
    for (int i = 0; i < 5 && m.CanScrollBack(); ++i) {
        clickArea(TabHit::kScrollBack);
        Harness::Pump(static_cast<int>(GetDoubleClickTime()) + 20);
    }
    EXPECT_EQ(m.FirstVisible(), 0);
    EXPECT_TRUE(m.CanScrollForward());
    // Choosing a tab out of view scrolls it in.
    ASSERT_TRUE(m.Item(4).rect.IsEmpty());
    tabs.SetCurSel(4);
    Harness::Pump(30);
    EXPECT_GT(m.FirstVisible(), 0);
    EXPECT_FALSE(m.Item(4).rect.IsEmpty());
}

}  // namespace
