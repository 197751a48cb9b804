// The angle dial under real input: needle drags with their notifications, the wheel and
// keys with the control key, typed values, and its looks.
#include <gtest/gtest.h>

#include "ControlTestWindow.h"
#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "WindowHarness.h"

namespace {

constexpr UINT kDial = 1009;

struct Dial {
    TestParent parent{200, 150};
    OrvAngleControl2 dial;
    explicit Dial(int mode = 0) : dial(AngleStyle::kHasBox | AngleStyle::kBoxRight, mode, 0, 0) {
        RECT area{10, 10, 190, 110};
        HWND placeholder =
            CreateWindowExA(WS_EX_CLIENTEDGE, "STATIC", "Rotation Angle", WS_CHILD | WS_VISIBLE, area.left,
                            area.top, area.right - area.left, area.bottom - area.top, parent.m_hWnd,
                            reinterpret_cast<HMENU>(kDial), nullptr, nullptr);
        dial.SetColourScheme(&TestScheme());
        EXPECT_TRUE(dial.SubclassWindow(placeholder));
        Activate(parent.m_hWnd);
        harness::Pump(50);
    }
    int Side() { return dial.GetClientRect().right; }
    OrvAngleControl2& operator*() { return dial; }
};

using Codes = std::vector<UINT>;

TEST(AngleDial, LaysOutASquareDialWithItsBoxBeside) {
    Dial d;
    RECT dial = d.dial.GetRectInParent();
    EXPECT_EQ(dial.right - dial.left, dial.bottom - dial.top);
    ASSERT_NE(d.dial.EditBox(), nullptr);
    RECT box = d.dial.EditBox()->GetRectInParent();
    EXPECT_GE(box.left, dial.right + 5);
    EXPECT_EQ(GetDlgCtrlID(d.dial.EditBox()->m_hWnd), 1234);
    EXPECT_FALSE(d.dial.GetExStyle() & WS_EX_CLIENTEDGE);
}

TEST(AngleDial, DragReportsPressMovesAndReleaseWithEveryChange) {
    Dial d;
    int c = d.Side() / 2;
    harness::Press(d.dial.m_hWnd, c, c - 30);
    EXPECT_EQ(d.dial.GetAngle(), 0);
    harness::MoveTo(d.dial.m_hWnd, c + 30, c);
    EXPECT_EQ(d.dial.GetAngle(), 90);
    harness::MoveTo(d.dial.m_hWnd, c, c + 30);
    EXPECT_EQ(d.dial.GetAngle(), 180);
    harness::SaveScreenshot(d.parent.m_hWnd, "controls-dial-dragging");
    harness::MoveTo(d.dial.m_hWnd, c - 30, c);
    harness::Release();
    EXPECT_EQ(d.dial.GetAngle(), 270);
    EXPECT_EQ(d.dial.EditBox()->Text(), "270");
    Codes codes = d.parent.Codes(WM_NOTIFY, kDial);
    // Press (no change: already 0), then change and move for each of the three moves, release.
    EXPECT_EQ(codes, (Codes{100, 0, 101, 0, 101, 0, 101, 102}));
    EXPECT_EQ(GetFocus(), d.dial.m_hWnd);

    // A corner of the square is outside the dial: captured, but nothing starts.
    d.parent.Clear();
    harness::Press(d.dial.m_hWnd, 1, 1);
    harness::MoveTo(d.dial.m_hWnd, c + 20, c);
    harness::Release();
    EXPECT_TRUE(d.parent.heard.empty());
    EXPECT_EQ(d.dial.GetAngle(), 270);
}

TEST(AngleDial, WheelAndKeysStepWithTheControlKey) {
    Dial d;
    d.dial.SetAngle(355, true);
    int c = d.Side() / 2;
    harness::Click(d.dial.m_hWnd, c, c - 30);
    d.dial.SetAngle(355, true);
    harness::KeyDown(VK_CONTROL);
    harness::Wheel(WHEEL_DELTA);
    harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 5);
    harness::KeyDown(VK_CONTROL);
    harness::Wheel(-WHEEL_DELTA);
    harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 355);

    d.dial.SetAngle(45, true);
    harness::Key(VK_UP);
    EXPECT_EQ(d.dial.GetAngle(), 46);
    d.dial.SetAngle(45, true);
    harness::KeyDown(VK_CONTROL);
    harness::Key(VK_UP);
    harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 60);
    harness::KeyDown(VK_CONTROL);
    harness::Key(VK_LEFT);
    harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 50);
}

TEST(AngleDial, TypedValueIsBroughtIntoTheTurnAndTheBoxRewritten) {
    Dial d;
    OrvCustomIntegerEditBox* box = d.dial.EditBox();
    harness::Click(box->m_hWnd, 5, 5);
    harness::Key(VK_END);
    harness::Key(VK_BACK);
    for (char k : std::string("400")) harness::Key(static_cast<WORD>(k));
    EXPECT_EQ(d.dial.Model().Angle(), 40);
    EXPECT_EQ(box->Text(), "40");
}

TEST(AngleDial, LooksAtSeveralAngles) {
    Dial d;
    for (int a : {0, 45, 135, 270}) {
        d.dial.SetAngle(a, true);
        harness::Pump(40);
        EXPECT_TRUE(harness::SaveScreenshot(d.parent.m_hWnd, "controls-dial-" + std::to_string(a)));
    }
    d.dial.EnableWindow(false);
    harness::Pump(40);
    EXPECT_FALSE(d.dial.EditBox()->IsWindowEnabled());
    EXPECT_TRUE(harness::SaveScreenshot(d.parent.m_hWnd, "controls-dial-disabled"));
}

TEST(AngleDial, QuarterDialTurnsFromUpToRight) {
    Dial d(4);
    int side = d.Side();
    EXPECT_EQ(d.dial.EditBox()->Model().Maximum(), 90);
    // Pressed inside the round hit region; the drag then goes where it likes.
    harness::Press(d.dial.m_hWnd, side / 2, side / 2);
    EXPECT_EQ(d.dial.GetAngle(), 45);
    harness::MoveTo(d.dial.m_hWnd, side - 2, side * 87 / 100);
    EXPECT_EQ(d.dial.GetAngle(), 90);
    harness::MoveTo(d.dial.m_hWnd, side * 13 / 100, 2);
    harness::Release();
    EXPECT_EQ(d.dial.GetAngle(), 0);
    d.dial.SetAngle(30, true);
    harness::Pump(40);
    EXPECT_TRUE(harness::SaveScreenshot(d.parent.m_hWnd, "controls-dial-quarter"));
}

}  // namespace
