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

TEST(Buttons, BitmapButtonShowsTheFocusAroundItsPicture) {
    Buttons b;
    int w = 0, h = 0, changed = 0;
    const std::vector<uint32_t> plain = Harness::CaptureWindow(b.zoom.hWnd, w, h);
    b.zoom.SetFocus();
    Harness::Pump(30);
    const std::vector<uint32_t> focused = Harness::CaptureWindow(b.zoom.hWnd, w, h);
    for (size_t i = 0; i < plain.size() && i < focused.size(); ++i) changed += plain[i] != focused[i];
    EXPECT_GT(changed, (w + h) / 2) << "a dotted frame inside the bevel";
    Harness::SaveScreenshot(b.parent.hWnd, "controls-buttons-zoom-focused");
}

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

    // Dragged off and cancelled with Escape: no click, even released back inside.
    b.parent.Clear();
    Harness::Press(b.ok.hWnd, 20, 10);
    Harness::MoveTo(b.ok.hWnd, 20, 60);
    EXPECT_FALSE(b.ok.GetState() & BST_PUSHED);
    Harness::Key(VK_ESCAPE);
    Harness::MoveTo(b.ok.hWnd, 20, 10);
    Harness::Release();
    EXPECT_TRUE(b.parent.heard.empty());

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

struct Radios {
    TestParent parent{200, 120};
    OrvCustomButton frame, small, medium, large, off;
    Radios() {
        // The group box comes first, as in a template: the radio buttons lie over it.
        Make(frame, parent, "Object size", BS_GROUPBOX, RECT{8, 6, 192, 112}, 20);
        Make(small, parent, "Small", BS_AUTORADIOBUTTON | WS_GROUP, RECT{20, 26, 120, 44}, 21);
        Make(medium, parent, "Medium", BS_AUTORADIOBUTTON, RECT{20, 48, 120, 66}, 22);
        Make(large, parent, "Large", BS_AUTORADIOBUTTON, RECT{20, 70, 120, 88}, 23);
        Make(off, parent, "Huge", BS_AUTORADIOBUTTON | WS_DISABLED, RECT{130, 26, 188, 44}, 24);
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
};

TEST(Buttons, RadioButtonsShowTheirMarkInTheSchemeAndTakeTurnsUnderClicks) {
    Radios r;
    const ColourScheme& s = TestScheme();
    Harness::Click(r.medium.hWnd, 40, 9);
    EXPECT_EQ(r.medium.GetCheck(), BST_CHECKED);
    EXPECT_EQ(r.parent.Codes(WM_COMMAND, 22), (std::vector<UINT>{BN_CLICKED}));
    Harness::Click(r.large.hWnd, 6, 9);
    EXPECT_EQ(r.medium.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(r.large.GetCheck(), BST_CHECKED);
    Harness::Pump(30);
    Harness::SaveScreenshot(r.parent.hWnd, "controls-buttons-radio-group");
    // The mark sits vertically centred at the left of the 18-high button, from y 2; the dot of the checked
    // one in the text colour, the others empty.
    auto mark = [](OrvCustomButton& b, int x, int y) { return Harness::ClientPixel(b.hWnd, x, 2 + y); };
    EXPECT_EQ(mark(r.large, 5, 5), s[SchemeColour::Text]);
    EXPECT_EQ(mark(r.medium, 5, 5), s[SchemeColour::Window]);
    EXPECT_EQ(mark(r.large, 5, 0), s[SchemeColour::Shadow]);
    EXPECT_EQ(mark(r.large, 6, 11), s[SchemeColour::Highlight]);
    EXPECT_EQ(mark(r.large, 0, 0), s[SchemeColour::Face]);
    // Disabled: no window colour inside, and a click does nothing.
    EXPECT_EQ(mark(r.off, 5, 5), s[SchemeColour::Face]);
    r.parent.Clear();
    Harness::Click(r.off.hWnd, 6, 9);
    EXPECT_EQ(r.off.GetCheck(), BST_UNCHECKED);
    EXPECT_TRUE(r.parent.heard.empty());
    // The focused one's label has its focus rectangle; Space on it does not uncheck it.
    Harness::Key(VK_SPACE);
    EXPECT_EQ(r.large.GetCheck(), BST_CHECKED);
}

TEST(Buttons, GroupBoxDrawsAnEtchedFrameUnderItsCaptionAndLeavesItsControlsAlone) {
    Radios r;
    const ColourScheme& s = TestScheme();
    int half = ControlSupport::TextExtent(ControlSupport::GuiFont(), "Object size").cy / 2;
    // Shadow line with highlight beside it, left side and top (left of the caption).
    EXPECT_EQ(Harness::ClientPixel(r.frame.hWnd, 0, 60), s[SchemeColour::Shadow]);
    EXPECT_EQ(Harness::ClientPixel(r.frame.hWnd, 1, 60), s[SchemeColour::Highlight]);
    EXPECT_EQ(Harness::ClientPixel(r.frame.hWnd, 4, half), s[SchemeColour::Shadow]);
    EXPECT_EQ(Harness::ClientPixel(r.frame.hWnd, 4, half + 1), s[SchemeColour::Highlight]);
    // The top line is open under the caption, the inside is the face.
    EXPECT_EQ(Harness::ClientPixel(r.frame.hWnd, 9, half), s[SchemeColour::Face]);
    EXPECT_EQ(Harness::ClientPixel(r.frame.hWnd, 150, 95), s[SchemeColour::Face]);
    // Repainting the frame leaves the buttons over it as they were.
    r.large.SetCheck(BST_CHECKED);
    Harness::Pump(30);
    r.frame.Invalidate(false);
    Harness::Pump(30);
    EXPECT_EQ(Harness::ClientPixel(r.large.hWnd, 5, 7), s[SchemeColour::Text]);
    r.frame.EnableWindow(false);
    Harness::Pump(30);
    Harness::SaveScreenshot(r.parent.hWnd, "controls-buttons-group-disabled");
}

}  // namespace
