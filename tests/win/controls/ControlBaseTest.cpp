// The control base on real windows with real input: click against drag at the system's
// drag distance, buttons, Escape, capture loss, auto-scroll ticks, key fan-out, painting in
// the colour scheme, notifications and the dialog helper.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "OrvLib/controls/win32/OrvControlBase.h"
#include "OrvLib/controls/win32/OrvDialogHelper.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/framework/CDialog.h"
#include "OrvLib/framework/WindowFailure.h"
#include "WindowHarness.h"

namespace {

using Calls = std::vector<std::string>;

class Probe : public OrvControlBase {
public:
    Calls calls;
    int ticks = 0;
    int moves = 0;
    bool takesWheel = false;

protected:
    void OnLButtonDown(POINT) override { calls.push_back("down"); }
    void OnLButtonUp(POINT) override { calls.push_back("click"); }
    void OnLButtonDblClk(POINT) override { calls.push_back("double"); }
    void OnLDragBegin(POINT p) override { calls.push_back("begin " + std::to_string(p.x)); }
    void OnLDragMove(POINT) override { ++moves; }
    void OnLDragEnd(POINT) override { calls.push_back("end"); }
    void OnLDragCancel() override { calls.push_back("cancel"); }
    void OnRButtonDown(POINT) override { calls.push_back("right down"); }
    void OnRButtonUp(POINT) override { calls.push_back("right click"); }
    void OnKeyDown(UINT key, bool wasDown, bool system) override {
        calls.push_back("key " + std::to_string(key) + (wasDown ? " was down" : "") +
                        (system ? " system" : ""));
        OrvControlBase::OnKeyDown(key, wasDown, system);
    }
    bool OnMouseWheel(int delta, POINT, UINT) override {
        calls.push_back("wheel " + std::to_string(delta));
        return takesWheel;
    }
    void AutoScrollTick() override {
        ++ticks;
        OrvControlBase::AutoScrollTick();
    }
    void Draw(HDC dc) override {
        const RECT client = GetClientRect();
        FillSolid(dc, client, Scheme()[SchemeColour::Face]);
        PaintFrame(dc, FrameStyle::Sunken, client, Scheme());
        RECT text{8, 8, client.right - 8, 28};
        DrawSchemeText(dc, "Scheme text", text, DT_LEFT | DT_SINGLELINE, Scheme());
        text = {8, 30, client.right - 8, 50};
        DrawEmbossedText(dc, "Embossed text", text, DT_LEFT | DT_SINGLELINE, Scheme());
        FillBands(dc, RECT{8, 60, 68, 100}, RECT{18, 70, 58, 90}, Scheme()[SchemeColour::SelectionBack]);
    }
};

// Top-level window that records what its children tell it.
class Parent : public CWnd {
public:
    Calls heard;
    HWND parentOf = nullptr;  // the child whose requests are named
    Parent() {
        Create("ControlTestParent", "Controls", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
               RECT{40, 40, 440, 340}, HWND(nullptr), 0);
    }

protected:
    void OnCode(UINT id, NMHDR* header, LRESULT* result) {
        heard.push_back("notify " + std::to_string(id) + " " + std::to_string(header->code));
        *result = 7;
    }
    void OnCommandFrom(UINT id) { heard.push_back("command " + std::to_string(id)); }
    void OnContextMenu(HWND from, POINT) { heard.push_back(from == parentOf ? "menu from probe" : "menu"); }
    LRESULT OnWheel(WPARAM wParam, LPARAM) {
        heard.push_back("wheel " + std::to_string(GET_WHEEL_DELTA_WPARAM(wParam)));
        return 0;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_ERASEBKGND) {
            FillSolid(reinterpret_cast<HDC>(wParam), GetClientRect(), RGB(205, 196, 178));
            return 1;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(Parent, CWnd)
ON_NOTIFY_RANGE(101, 1, 99, &Parent::OnCode)
ON_CONTROL_RANGE(0, 1, 99, &Parent::OnCommandFrom)
ON_MESSAGE(WM_MOUSEWHEEL, &Parent::OnWheel)
ON_WM_CONTEXTMENU(&Parent::OnContextMenu)
END_MESSAGE_MAP()

struct Fixture : ::testing::Test {
    Parent parent;
    Probe probe;
    void SetUp() override {
        ASSERT_TRUE(
            probe.Create("ControlTestProbe", WS_CHILD | WS_VISIBLE, RECT{20, 20, 320, 220}, &parent, 5));
        Harness::Pump(50);
    }
    void TearDown() override {
        Harness::MoveToScreen({0, 0});
        Harness::Pump(20);
        EXPECT_EQ(OrvTakeWindowFailure(), nullptr);
    }
};

using ControlBase = Fixture;

TEST_F(ControlBase, MovingTheDragDistanceIsAClickOnePixelMoreADrag) {
    const int d = GetSystemMetrics(SM_CXDRAG);
    Harness::Press(probe.hWnd, 100, 100);
    EXPECT_EQ(GetCapture(), probe.hWnd);
    EXPECT_EQ(probe.CaptureCount(), 1);
    Harness::MoveTo(probe.hWnd, 100 + d, 100);
    Harness::Release();
    EXPECT_EQ(probe.calls, (Calls{"down", "click"}));
    EXPECT_EQ(GetCapture(), nullptr);

    // Far enough from the first press not to make a double click.
    probe.calls.clear();
    Harness::Press(probe.hWnd, 200, 60);
    Harness::MoveTo(probe.hWnd, 200 + d + 1, 60);
    EXPECT_TRUE(probe.IsDragging());
    Harness::MoveTo(probe.hWnd, 250, 80);
    Harness::Release();
    EXPECT_EQ(probe.calls, (Calls{"down", "begin 200", "end"}));
    EXPECT_GE(probe.moves, 2);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(probe.CaptureCount(), 0);
}

TEST_F(ControlBase, SecondButtonWhileOneIsTrackedIsIgnored) {
    Harness::Press(probe.hWnd, 60, 60);
    Harness::ButtonDown(Harness::Button::Right);
    Harness::ButtonUp(Harness::Button::Right);
    EXPECT_EQ(probe.TrackedButton(), MouseButton::Left);
    Harness::Release();
    EXPECT_EQ(probe.calls, (Calls{"down", "click"}));
}

TEST_F(ControlBase, EscapeCancelsTheDragAndTheReleaseDoesNothing) {
    probe.SetFocus();
    Harness::Press(probe.hWnd, 100, 100);
    Harness::MoveTo(probe.hWnd, 140, 100);
    Harness::Key(VK_ESCAPE);
    EXPECT_FALSE(probe.IsDragging());
    EXPECT_EQ(GetCapture(), nullptr);
    Harness::Release();
    EXPECT_EQ(probe.calls, (Calls{"down", "begin 100", "key 27", "cancel"}));
}

TEST_F(ControlBase, LosingTheCaptureCancelsTheDrag) {
    Harness::Press(probe.hWnd, 100, 100);
    Harness::MoveTo(probe.hWnd, 100, 130);
    SetCapture(parent.hWnd);  // someone else takes the pointer
    Harness::Pump(20);
    EXPECT_EQ(probe.CaptureCount(), 0);
    ReleaseCapture();
    Harness::Release();
    EXPECT_EQ(probe.calls, (Calls{"down", "begin 100", "cancel"}));
    EXPECT_EQ(probe.TrackedButton(), MouseButton::None);
}

TEST_F(ControlBase, DoubleClickLeavesTrackingAlone) {
    Harness::DoubleClick(probe.hWnd, 80, 80);
    EXPECT_EQ(probe.calls, (Calls{"down", "click", "double"}));
    EXPECT_EQ(probe.TrackedButton(), MouseButton::None);
}

TEST_F(ControlBase, KeysFanOutOncePerRepeat) {
    // Three repeats of a key that was already down.
    probe.SendMessage(WM_KEYDOWN, 'A', 3 | (1L << 30));
    probe.SendMessage(WM_SYSKEYDOWN, 'B', 1);
    EXPECT_EQ(probe.calls, (Calls{"key 65 was down", "key 65", "key 65", "key 66 system"}));
}

TEST_F(ControlBase, RightClickStillAsksForTheContextMenu) {
    parent.parentOf = probe.hWnd;
    Harness::Click(probe.hWnd, 70, 70, Harness::Button::Right);
    EXPECT_EQ(probe.calls, (Calls{"right down", "right click"}));
    EXPECT_EQ(parent.heard, (Calls{"menu from probe"}));
}

TEST_F(ControlBase, WheelNotTakenGoesOnToTheParent) {
    probe.SetFocus();
    Harness::MoveTo(probe.hWnd, 50, 50);
    Harness::Wheel(-120);
    probe.takesWheel = true;
    Harness::Wheel(240);
    EXPECT_EQ(probe.calls, (Calls{"wheel -120", "wheel 240"}));
    EXPECT_EQ(parent.heard, (Calls{"wheel -120"}));
}

TEST_F(ControlBase, PaintsItsOwnSunkenBorderInsideAParent) {
    ColourScheme scheme = DefaultColourScheme();
    scheme[SchemeColour::Shadow] = RGB(150, 120, 80);
    scheme[SchemeColour::DarkShadow] = RGB(70, 50, 30);
    Probe bordered;
    bordered.SetColourScheme(&scheme);
    bordered.SetPaintsOwnBorder(true);
    ASSERT_TRUE(bordered.Create("ControlTestProbe", WS_CHILD | WS_VISIBLE, RECT{20, 230, 120, 280}, &parent,
                                8, WS_EX_CLIENTEDGE));
    Harness::Pump(50);
    int width = 0, height = 0;
    const std::vector<uint32_t> pixels = Harness::CaptureWindow(bordered.hWnd, width, height);
    ASSERT_EQ(width, 100);
    auto colour = [&](int x, int y) {
        const uint32_t p = pixels[size_t(y) * size_t(width) + size_t(x)];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    EXPECT_EQ(colour(0, 0), scheme[SchemeColour::Shadow]);
    EXPECT_EQ(colour(1, 1), scheme[SchemeColour::DarkShadow]);
    EXPECT_EQ(colour(99, 49), scheme[SchemeColour::Highlight]);
}

TEST_F(ControlBase, NotificationsReachTheParentsMap) {
    EXPECT_EQ(probe.NotifyCode(101), 7);
    probe.NotifyCommand();
    EXPECT_EQ(parent.heard, (Calls{"notify 5 101", "command 5"}));
}

// Auto-scroll ticks from the real timer; every tick must have moved by the arithmetic.
void DragNearLeftEdge(Probe& probe, int maximum, int start) {
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_POS | SIF_PAGE, 0, maximum, 0, start, 0};
    SetScrollInfo(probe.hWnd, SB_HORZ, &info, TRUE);
    probe.autoScrollEnabled = true;
    Harness::Press(probe.hWnd, 150, 100);
    Harness::MoveTo(probe.hWnd, 10, 100);
    EXPECT_TRUE(probe.AutoScrollActive());
    const int movesBefore = probe.moves;
    Harness::PumpUntil([&] { return probe.ticks >= 5; });
    Harness::Release();
    EXPECT_FALSE(probe.AutoScrollActive());
    EXPECT_GT(probe.moves, movesBefore);  // the ticks' synthetic moves
}

TEST_F(ControlBase, AutoScrollMovesTenPerCentOfTheRangePerSecond) {
    probe.ModifyStyle(0, WS_HSCROLL, SWP_FRAMECHANGED);
    DragNearLeftEdge(probe, 1000, 500);
    EXPECT_GE(probe.ticks, 5);
    EXPECT_EQ(GetScrollPos(probe.hWnd, SB_HORZ), 500 - 10 * probe.ticks);
}

TEST_F(ControlBase, AutoScrollCarriesHalfUnitsInTheAccumulator) {
    probe.ModifyStyle(0, WS_HSCROLL, SWP_FRAMECHANGED);
    DragNearLeftEdge(probe, 50, 25);
    EXPECT_EQ(GetScrollPos(probe.hWnd, SB_HORZ), 25 - probe.ticks / 2);
    EXPECT_DOUBLE_EQ(probe.Accumulator(SB_HORZ), probe.ticks % 2 != 0 ? -0.5 : 0.0);
}

TEST_F(ControlBase, PaintsInItsSchemeThroughTheBuffer) {
    ColourScheme scheme = DefaultColourScheme();
    scheme[SchemeColour::Face] = RGB(236, 226, 200);
    scheme[SchemeColour::Shadow] = RGB(150, 120, 80);
    scheme[SchemeColour::DarkShadow] = RGB(70, 50, 30);
    scheme[SchemeColour::Highlight] = RGB(255, 250, 235);
    scheme[SchemeColour::Text] = RGB(40, 30, 20);
    scheme[SchemeColour::SelectionBack] = RGB(190, 90, 40);
    probe.SetColourScheme(&scheme);
    Harness::Pump(50);
    EXPECT_EQ(Harness::ClientPixel(probe.hWnd, 0, 0), scheme[SchemeColour::Shadow]);
    EXPECT_EQ(Harness::ClientPixel(probe.hWnd, 1, 1), scheme[SchemeColour::DarkShadow]);
    EXPECT_EQ(Harness::ClientPixel(probe.hWnd, 299, 199), scheme[SchemeColour::Highlight]);
    EXPECT_EQ(Harness::ClientPixel(probe.hWnd, 150, 150), scheme[SchemeColour::Face]);
    EXPECT_EQ(Harness::ClientPixel(probe.hWnd, 10, 65), scheme[SchemeColour::SelectionBack]);
    EXPECT_EQ(Harness::ClientPixel(probe.hWnd, 30, 80), scheme[SchemeColour::Face]);  // inside the bands

    OrvControlBase bare;
    ASSERT_TRUE(bare.Create("ControlTestBare", WS_CHILD | WS_VISIBLE, RECT{20, 230, 320, 280}, &parent, 6));
    Harness::Pump(50);
    EXPECT_EQ(Harness::ClientPixel(bare.hWnd, 290, 40), GetSysColor(COLOR_BTNFACE));
    EXPECT_TRUE(Harness::SaveScreenshot(parent.hWnd, "controls-base"));
    probe.SetColourScheme(nullptr);
    EXPECT_EQ(&probe.Scheme(), &DefaultColourScheme());
}

TEST(OffscreenBufferTest, RemadeOnlyWhenTheSizeChanges) {
    HDC screen = GetDC(nullptr);
    OffscreenBuffer buffer;
    EXPECT_EQ(buffer.Width(), -1);
    HDC first = buffer.Fit(screen, 40, 30);
    ASSERT_NE(first, nullptr);
    HBITMAP bitmap = static_cast<HBITMAP>(GetCurrentObject(first, OBJ_BITMAP));
    EXPECT_EQ(buffer.Fit(screen, 40, 30), first);
    EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), bitmap);
    HDC second = buffer.Fit(screen, 41, 30);
    ASSERT_NE(second, nullptr);
    BITMAP info{};
    GetObject(GetCurrentObject(second, OBJ_BITMAP), sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 41);
    EXPECT_EQ(buffer.Fit(screen, 0, 30), nullptr);
    ReleaseDC(nullptr, screen);
}

// A control with the focus inside a modal dialog: while it drags, Escape is the control's.
class DragDialog : public CDialog {
public:
    DragDialog() : CDialog(1) {}
    Probe probe;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        probe.Create("ControlTestProbe", WS_CHILD | WS_VISIBLE | WS_TABSTOP, RECT{10, 10, 300, 170}, this, 5);
        probe.SetFocus();
        return FALSE;
    }
};

TEST(ControlBaseInDialog, EscapeDuringADragCancelsTheDragNotTheDialog) {
    DragDialog dialog;
    bool openAfterEscape = false;
    bool openAfterSecondEscape = true;
    {
        Harness::InputThread script([&] {
            HWND window = Harness::WaitForWindow([] { return FindWindowA("#32770", "Drag in a dialog"); });
            if (window == nullptr) return;
            HWND control = GetDlgItem(window, 5);
            Harness::Press(control, 100, 100);
            Harness::MoveTo(control, 150, 100);
            Harness::Key(VK_ESCAPE);
            Sleep(50);
            openAfterEscape = IsWindowVisible(window) != FALSE;
            Harness::Release();
            // Without a drag Escape is the dialog's Cancel again.
            Harness::Key(VK_ESCAPE);
            Sleep(100);
            openAfterSecondEscape = IsWindow(window) != FALSE;
            if (openAfterSecondEscape) Harness::Click(GetDlgItem(window, IDCANCEL), 5, 5);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
    EXPECT_TRUE(openAfterEscape);
    EXPECT_FALSE(openAfterSecondEscape);
    EXPECT_EQ(dialog.probe.calls, (Calls{"down", "begin 100", "key 27", "cancel"}));
}

class HelperDialog : public Parent, public OrvDialogHelper {};

TEST(DialogHelper, EnablesShowsAndStacksControls) {
    HelperDialog dialog;
    CWnd a, b, c;
    for (CWnd* w : {&a, &b, &c}) {
        const int id = w == &a ? 11 : w == &b ? 12 : 13;
        ASSERT_TRUE(
            w->CreateControl("STATIC", "", WS_CHILD | WS_VISIBLE, RECT{30, 40, 40, 45}, dialog.hWnd, id));
    }
    const int ids[] = {11, 13, 99, 0};
    dialog.EnableControls(ids, false);
    EXPECT_FALSE(a.IsWindowEnabled());
    EXPECT_TRUE(b.IsWindowEnabled());
    EXPECT_FALSE(c.IsWindowEnabled());
    dialog.ShowControls(ids, false);
    EXPECT_FALSE(c.IsWindowVisible());
    EXPECT_TRUE(b.IsWindowVisible());

    CWnd* stack[] = {&a, &b, &c, nullptr};
    dialog.ArrangeControls(22, 22, 0, 0, 0.0, 1.0, stack);
    EXPECT_EQ(b.GetRectInParent().top, 62);
    EXPECT_EQ(c.GetRectInParent().top, 84);
    EXPECT_EQ(c.GetRectInParent().left, 30);
    EXPECT_EQ(c.GetRectInParent().right, 52);
    // Own size, side by side with a gap.
    dialog.ArrangeControls(-1, 0, 3, 0, 1.0, 0.0, stack);
    EXPECT_EQ(b.GetRectInParent().left, 30 + 22 + 3);
    EXPECT_EQ(b.GetRectInParent().bottom - b.GetRectInParent().top, 22);
}

}  // namespace
