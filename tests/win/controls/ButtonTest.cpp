// Buttons under real input: clicks, a press released outside, Space, and every look.
#include <gtest/gtest.h>

#include "ControlTestWindow.h"
#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/OrvCustomButton.h"
#include "WindowHarness.h"

namespace {

enum : UINT {
    kOk = 1,
    kCancel = 2,
    kDepth = 10,
    kTexture = 11,
    kHelp = 12,
    kZoom = 13,
    kZoomOff = 14,
    kRadioA = 15,
    kRadioB = 16
};

template <class Button>
void Make(Button& b, TestParent& parent, const char* text, DWORD style, RECT r, UINT id) {
    ASSERT_TRUE(
        b.CreateControl("BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, r, parent.hWnd, id));
    b.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    b.SetColourScheme(&TestScheme());
}

struct Buttons {
    TestParent parent{330, 150};
    OrvCustomButton ok, cancel, depth, texture, help, radioA, radioB;
    OrvBitmapButton2 zoom, zoomOff;
    OrvBitmap art{TestBitmap()};
    Buttons() {
        Make(ok, parent, "OK", BS_DEFPUSHBUTTON, RECT{10, 10, 85, 33}, kOk);
        Make(cancel, parent, "Cancel", BS_PUSHBUTTON, RECT{95, 10, 170, 33}, kCancel);
        Make(help, parent, "Help", BS_PUSHBUTTON | WS_DISABLED, RECT{180, 10, 255, 33}, kHelp);
        Make(depth, parent, "Order by depth", BS_AUTOCHECKBOX, RECT{10, 45, 150, 65}, kDepth);
        Make(texture, parent, "Texture", BS_AUTOCHECKBOX | BS_PUSHLIKE, RECT{160, 45, 235, 68}, kTexture);
        Make(radioA, parent, "First", BS_AUTORADIOBUTTON | BS_PUSHLIKE | WS_GROUP, RECT{10, 80, 85, 103},
             kRadioA);
        Make(radioB, parent, "Second", BS_AUTORADIOBUTTON | BS_PUSHLIKE, RECT{95, 80, 170, 103}, kRadioB);
        Make(zoom, parent, "", BS_PUSHBUTTON, RECT{265, 10, 290, 33}, kZoom);
        Make(zoomOff, parent, "", BS_PUSHBUTTON | WS_DISABLED, RECT{295, 10, 320, 33}, kZoomOff);
        zoom.SetBitmap(art.Get());
        zoomOff.SetBitmap(art.Get());
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
};

TEST(Buttons, CheckBoxClickToggleOnceAndReleaseOutsideDoesNothing) {
    Buttons b;
    Harness::Click(b.depth.hWnd, 5, 10);
    EXPECT_EQ(b.depth.GetCheck(), BST_CHECKED);
    EXPECT_EQ(b.parent.Codes(WM_COMMAND, kDepth), (std::vector<UINT>{BN_CLICKED}));
    EXPECT_EQ(GetFocus(), b.depth.hWnd);
    Harness::SaveScreenshot(b.parent.hWnd, "controls-buttons-checked-focused");

    b.parent.Clear();
    Harness::Press(b.depth.hWnd, 5, 10);
    EXPECT_TRUE(b.depth.GetState() & BST_PUSHED);
    Harness::MoveTo(b.depth.hWnd, 200, 10);
    EXPECT_FALSE(b.depth.GetState() & BST_PUSHED);
    Harness::Release();
    EXPECT_EQ(b.depth.GetCheck(), BST_CHECKED);
    EXPECT_TRUE(b.parent.heard.empty());

    // A checked push-like box is sunken over the halftone.
    Harness::Click(b.texture.hWnd, 10, 10);
    EXPECT_EQ(b.texture.GetCheck(), BST_CHECKED);
    COLORREF a = Harness::ClientPixel(b.texture.hWnd, 4, 4), c = Harness::ClientPixel(b.texture.hWnd, 5, 4);
    EXPECT_NE(a, c);
    EXPECT_EQ(Harness::ClientPixel(b.texture.hWnd, 0, 0), TestScheme()[SchemeColour::Shadow]);

    // Radio buttons of one group take turns.
    Harness::Click(b.radioA.hWnd, 10, 10);
    Harness::Click(b.radioB.hWnd, 10, 10);
    EXPECT_EQ(b.radioA.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(b.radioB.GetCheck(), BST_CHECKED);
}

TEST(Buttons, HeldMouseAndHeldSpacePushAndOnlyTheReleaseClicks) {
    Buttons b;
    Harness::Press(b.ok.hWnd, 20, 10);
    EXPECT_TRUE(b.ok.GetState() & BST_PUSHED);
    EXPECT_TRUE(b.parent.heard.empty());
    Harness::SaveScreenshot(b.parent.hWnd, "controls-buttons-pressed");
    Harness::Release();
    EXPECT_EQ(b.parent.Codes(WM_COMMAND, kOk), (std::vector<UINT>{BN_CLICKED}));

    b.parent.Clear();
    b.cancel.SetFocus();
    Harness::KeyDown(VK_SPACE);
    Harness::KeyDown(VK_SPACE);  // auto-repeat
    EXPECT_TRUE(b.cancel.GetState() & BST_PUSHED);
    EXPECT_TRUE(b.parent.heard.empty());
    Harness::SaveScreenshot(b.parent.hWnd, "controls-buttons-space-held");
    Harness::KeyUp(VK_SPACE);
    EXPECT_FALSE(b.cancel.GetState() & BST_PUSHED);
    EXPECT_EQ(b.parent.Codes(WM_COMMAND, kCancel), (std::vector<UINT>{BN_CLICKED}));

    // A disabled button takes no click.
    b.parent.Clear();
    Harness::Click(b.help.hWnd, 10, 10);
    Harness::Click(b.zoomOff.hWnd, 10, 10);
    EXPECT_TRUE(b.parent.heard.empty());
}

TEST(Buttons, NormalAndDisabledLooksComeFromTheScheme) {
    Buttons b;
    Harness::Pump(50);
    EXPECT_TRUE(Harness::SaveScreenshot(b.parent.hWnd, "controls-buttons"));
    const ColourScheme& s = TestScheme();
    // Default button: the text-coloured frame, then the raised bevel.
    EXPECT_EQ(Harness::ClientPixel(b.ok.hWnd, 0, 5), s[SchemeColour::Text]);
    EXPECT_EQ(Harness::ClientPixel(b.ok.hWnd, 1, 5), s[SchemeColour::Highlight]);
    EXPECT_EQ(Harness::ClientPixel(b.cancel.hWnd, 10, 3), s[SchemeColour::Face]);
    // The disabled bitmap is the embossed copy: no black left in it.
    int w = 0, h = 0;
    std::vector<uint32_t> pixels = Harness::CaptureWindow(b.zoomOff.hWnd, w, h);
    int black = 0, shadow = 0;
    const uint32_t shadowRgb = ((s[SchemeColour::Shadow] & 0xFF) << 16) | (s[SchemeColour::Shadow] & 0xFF00) |
                               ((s[SchemeColour::Shadow] >> 16) & 0xFF);
    for (uint32_t p : pixels) {
        black += (p & 0xFFFFFF) == 0;
        shadow += (p & 0xFFFFFF) == shadowRgb;
    }
    EXPECT_EQ(black, 0);
    EXPECT_GT(shadow, 30);
}

}  // namespace
