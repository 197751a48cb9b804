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
                            area.top, area.right - area.left, area.bottom - area.top, parent.hWnd,
                            reinterpret_cast<HMENU>(kDial), nullptr, nullptr);
        dial.SetColourScheme(&TestScheme());
        EXPECT_TRUE(dial.SubclassWindow(placeholder));
        Activate(parent.hWnd);
        Harness::Pump(50);
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
    EXPECT_EQ(GetDlgCtrlID(d.dial.EditBox()->hWnd), 1234);
    EXPECT_FALSE(d.dial.GetExStyle() & WS_EX_CLIENTEDGE);
}

TEST(AngleDial, DragReportsPressMovesAndReleaseWithEveryChange) {
    Dial d;
    int c = d.Side() / 2;
    Harness::Press(d.dial.hWnd, c, c - 30);
    EXPECT_EQ(d.dial.GetAngle(), 0);
    Harness::MoveTo(d.dial.hWnd, c + 30, c);
    EXPECT_EQ(d.dial.GetAngle(), 90);
    Harness::MoveTo(d.dial.hWnd, c, c + 30);
    EXPECT_EQ(d.dial.GetAngle(), 180);
    Harness::SaveScreenshot(d.parent.hWnd, "controls-dial-dragging");
    Harness::MoveTo(d.dial.hWnd, c - 30, c);
    Harness::Release();
    EXPECT_EQ(d.dial.GetAngle(), 270);
    EXPECT_EQ(d.dial.EditBox()->Text(), "270");
    Codes codes = d.parent.Codes(WM_NOTIFY, kDial);
    // Press (no change: already 0), then change and move for each of the three moves, release.
    EXPECT_EQ(codes, (Codes{100, 0, 101, 0, 101, 0, 101, 102}));
    EXPECT_EQ(GetFocus(), d.dial.hWnd);

    // A corner of the square is outside the dial: captured, but nothing starts.
    d.parent.Clear();
    Harness::Press(d.dial.hWnd, 1, 1);
    Harness::MoveTo(d.dial.hWnd, c + 20, c);
    Harness::Release();
    EXPECT_TRUE(d.parent.heard.empty());
    EXPECT_EQ(d.dial.GetAngle(), 270);
}

TEST(AngleDial, EscapeDuringADragPutsTheNeedleBack) {
    Dial d;
    d.dial.SetAngle(90, true);
    int c = d.Side() / 2;
    Harness::Press(d.dial.hWnd, c + 30, c);
    Harness::MoveTo(d.dial.hWnd, c, c + 30);
    EXPECT_EQ(d.dial.GetAngle(), 180);
    Harness::Key(VK_ESCAPE);
    EXPECT_EQ(d.dial.GetAngle(), 90);
    EXPECT_EQ(d.parent.Codes(WM_NOTIFY, kDial).back(), 102u);
    Harness::Release();
    EXPECT_EQ(d.dial.GetAngle(), 90);
}

TEST(AngleDial, WheelAndKeysStepWithTheControlKey) {
    Dial d;
    d.dial.SetAngle(355, true);
    int c = d.Side() / 2;
    Harness::Click(d.dial.hWnd, c, c - 30);
    d.dial.SetAngle(355, true);
    Harness::KeyDown(VK_CONTROL);
    Harness::Wheel(WHEEL_DELTA);
    Harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 5);
    Harness::KeyDown(VK_CONTROL);
    Harness::Wheel(-WHEEL_DELTA);
    Harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 355);

    d.dial.SetAngle(45, true);
    Harness::Key(VK_UP);
    EXPECT_EQ(d.dial.GetAngle(), 46);
    d.dial.SetAngle(45, true);
    Harness::KeyDown(VK_CONTROL);
    Harness::Key(VK_UP);
    Harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 60);
    Harness::KeyDown(VK_CONTROL);
    Harness::Key(VK_LEFT);
    Harness::KeyUp(VK_CONTROL);
    EXPECT_EQ(d.dial.GetAngle(), 50);
}

TEST(AngleDial, TypedValueIsBroughtIntoTheTurnAndTheBoxRewritten) {
    Dial d;
    OrvCustomIntegerEditBox* box = d.dial.EditBox();
    Harness::Click(box->hWnd, 5, 5);
    Harness::Key(VK_END);
    Harness::Key(VK_BACK);
    for (char k : std::string("400")) Harness::Key(static_cast<WORD>(k));
    EXPECT_EQ(d.dial.Model().Angle(), 40);
    EXPECT_EQ(box->Text(), "40");
}

TEST(AngleDial, LooksAtSeveralAngles) {
    Dial d;
    for (int a : {0, 45, 135, 270}) {
        d.dial.SetAngle(a, true);
        Harness::Pump(40);
        EXPECT_TRUE(Harness::SaveScreenshot(d.parent.hWnd, "controls-dial-" + std::to_string(a)));
    }
    d.dial.EnableWindow(false);
    Harness::Pump(40);
    EXPECT_FALSE(d.dial.EditBox()->IsWindowEnabled());
    EXPECT_TRUE(Harness::SaveScreenshot(d.parent.hWnd, "controls-dial-disabled"));
}

TEST(AngleDial, QuarterDialTurnsFromUpToRight) {
    Dial d(4);
    int side = d.Side();
    EXPECT_EQ(d.dial.EditBox()->Model().Maximum(), 90);
    // Pressed inside the round hit region; the drag then goes where it likes.
    Harness::Press(d.dial.hWnd, side / 2, side / 2);
    EXPECT_EQ(d.dial.GetAngle(), 45);
    Harness::MoveTo(d.dial.hWnd, side - 2, side * 87 / 100);
    EXPECT_EQ(d.dial.GetAngle(), 90);
    Harness::MoveTo(d.dial.hWnd, side * 13 / 100, 2);
    Harness::Release();
    EXPECT_EQ(d.dial.GetAngle(), 0);
    d.dial.SetAngle(30, true);
    Harness::Pump(40);
    EXPECT_TRUE(Harness::SaveScreenshot(d.parent.hWnd, "controls-dial-quarter"));
}

}  // namespace
