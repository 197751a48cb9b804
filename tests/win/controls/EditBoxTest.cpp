// Edit boxes, the integer box with its arrows, and the labels, under real keys and clicks.
#include <algorithm>

#include <gtest/gtest.h>

#include "ControlTestWindow.h"
#include "OrvLib/controls/win32/OrvCustomEditBox.h"
#include "OrvLib/controls/win32/OrvCustomStatic.h"
#include "WindowHarness.h"

namespace {

enum : UINT { kSeed = 20, kAngle = 21, kName = 22, kLabel = 23, kOff = 24, kPicture = 25 };

void Make(OrvCustomEditBox& box, TestParent& parent, RECT r, UINT id, DWORD style = 0) {
    ASSERT_TRUE(box.CreateControl("EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL | style, r,
                                  parent.hWnd, id, WS_EX_CLIENTEDGE));
    box.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
    box.SetMargins(3, 3);
    box.SetColourScheme(&TestScheme());
}

struct Boxes {
    TestParent parent{260, 130};
    OrvCustomIntegerEditBox seed, angle, off;
    OrvCustomEditBox name;
    OrvCustomStatic label;
    OrvBitmapStatic picture;
    OrvBitmap art{TestBitmap()};
    Boxes() {
        Make(seed, parent, RECT{10, 30, 90, 52}, kSeed, ES_RIGHT);
        seed.SetRange(1, 10000, false);
        seed.SetValue(7);
        Make(angle, parent, RECT{110, 30, 170, 52}, kAngle, ES_RIGHT);
        angle.SetRange(0, 359, true);
        angle.SetValue(359);
        Make(name, parent, RECT{10, 70, 170, 92}, kName);
        name.SetText("Autumn leaves", true);
        Make(off, parent, RECT{190, 30, 250, 52}, kOff, ES_RIGHT);
        off.SetRange(0, 100, false);
        off.SetValue(42);
        off.EnableWindow(false);
        label.CreateControl("STATIC", "Random seed", WS_CHILD | WS_VISIBLE, RECT{10, 8, 170, 24}, parent.hWnd,
                            kLabel);
        label.SetFont(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
        label.SetColourScheme(&TestScheme());
        picture.CreateControl("STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                              RECT{190, 64, 240, 100}, parent.hWnd, kPicture);
        picture.SetColourScheme(&TestScheme());
        picture.SetBitmap(art.Get());
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
    void Type(const char* keys) {
        for (const char* k = keys; *k; ++k) Harness::Key(static_cast<WORD>(VkKeyScanA(*k) & 0xFF));
    }
};

TEST(EditBoxes, IntegerBoxTakesDigitsOnlyAndClampsHugeValuesBeforeTheParentHearsOfTheFocusLoss) {
    Boxes b;
    Harness::Click(b.seed.hWnd, 10, 8);
    EXPECT_EQ(GetFocus(), b.seed.hWnd);
    Harness::Key(VK_END);
    for (int i = 0; i < 5; ++i) Harness::Key(VK_BACK);
    b.Type("a-99999999999");
    EXPECT_EQ(b.seed.Text(), "99999999999");
    Harness::SaveScreenshot(b.parent.hWnd, "controls-edits-typing");
    b.parent.Clear();
    Harness::Click(b.name.hWnd, 10, 8);
    EXPECT_EQ(b.seed.Text(), "10000");
    EXPECT_EQ(b.seed.GetValue(), 10000);
    bool heardKillFocus = false;
    for (const Heard& h : b.parent.heard) {
        if (h.id == kSeed && h.code == EN_KILLFOCUS) {
            heardKillFocus = true;
            EXPECT_EQ(h.text, "10000");
        }
    }
    EXPECT_TRUE(heardKillFocus);
    Harness::SaveScreenshot(b.parent.hWnd, "controls-edits-focused");
}

TEST(EditBoxes, ArrowsWrapAtTheBoundsAndReleaseCommitsWhenAsked) {
    Boxes b;
    ASSERT_NE(b.angle.SpinButton(), nullptr);
    HWND spin = b.angle.SpinButton()->hWnd;
    RECT r;
    GetClientRect(spin, &r);
    Harness::Click(spin, r.right / 2, 4);
    EXPECT_EQ(b.angle.Text(), "0");
    Harness::Click(spin, r.right / 2, r.bottom - 4);
    EXPECT_EQ(b.angle.Text(), "359");
    Harness::Click(spin, r.right / 2, r.bottom - 4);
    EXPECT_EQ(b.angle.Text(), "358");
    // The arrow keys in the box step it too.
    b.angle.SetFocus();
    Harness::Key(VK_UP);
    Harness::Key(VK_UP);
    EXPECT_EQ(b.angle.Text(), "0");

    // The seed box stops at its bound.
    HWND seedSpin = b.seed.SpinButton()->hWnd;
    GetClientRect(seedSpin, &r);
    b.seed.SetValue(1);
    Harness::Click(seedSpin, r.right / 2, r.bottom - 4);
    EXPECT_EQ(b.seed.Text(), "1");

    // Held on an arrow, the press is drawn sunken.
    Harness::Press(seedSpin, r.right / 2, 4);
    Harness::SaveScreenshot(b.parent.hWnd, "controls-edits-arrow-pressed");
    Harness::Release();

    b.seed.SetFocus();
    b.seed.SetCommitFlag(true);
    b.parent.Clear();
    Harness::Click(seedSpin, r.right / 2, 4);
    EXPECT_EQ(GetFocus(), b.seed.hWnd);
    GUITHREADINFO thread{};
    thread.cbSize = sizeof thread;
    ASSERT_TRUE(GetGUIThreadInfo(0, &thread));
    EXPECT_EQ(thread.hwndCaret, b.seed.hWnd) << "the caret is still shown after the commit";
    std::vector<UINT> codes = b.parent.Codes(WM_COMMAND, kSeed);
    EXPECT_NE(std::find(codes.begin(), codes.end(), static_cast<UINT>(EN_KILLFOCUS)), codes.end());
}

TEST(EditBoxes, QuietChangesAndBatchesDoNotReachTheParent) {
    Boxes b;
    b.parent.Clear();
    b.name.SetText("Stars", true, true);
    EXPECT_EQ(b.name.Text(), "Stars");
    EXPECT_TRUE(b.parent.Codes(WM_COMMAND, kName).empty());
    b.name.BeginBatch();
    b.name.SetText("one", true);
    b.name.SetText("two", true);
    EXPECT_EQ(b.name.Text(), "Stars");
    b.name.EndBatch();
    EXPECT_EQ(b.name.Text(), "two");
    std::vector<UINT> codes = b.parent.Codes(WM_COMMAND, kName);
    EXPECT_EQ(std::count(codes.begin(), codes.end(), static_cast<UINT>(EN_CHANGE)), 1);
    // Without set the text stays and the box is only marked modified.
    b.name.SetText("three", false);
    EXPECT_TRUE(b.name.Modified());
    EXPECT_EQ(b.name.Text(), "two");
}

TEST(EditBoxes, LooksComeFromTheScheme) {
    Boxes b;
    Harness::Pump(50);
    EXPECT_TRUE(Harness::SaveScreenshot(b.parent.hWnd, "controls-edits"));
    const ColourScheme& s = TestScheme();
    EXPECT_EQ(Harness::ClientPixel(b.name.hWnd, 1, 1), s[SchemeColour::Window]);
    EXPECT_EQ(Harness::ClientPixel(b.off.hWnd, 1, 1), s[SchemeColour::Face]);
    EXPECT_EQ(Harness::ClientPixel(b.label.hWnd, 150, 2), s[SchemeColour::Face]);
    // The bitmap label shows the scheme's copy: white became highlight, light grey face.
    RECT r = b.picture.GetClientRect();
    int x = (r.right - 16) / 2, y = (r.bottom - 16) / 2;
    EXPECT_EQ(Harness::ClientPixel(b.picture.hWnd, x + 6, y + 6), s[SchemeColour::Highlight]);
    EXPECT_EQ(Harness::ClientPixel(b.picture.hWnd, x, y), s[SchemeColour::Face]);
    EXPECT_EQ(Harness::ClientPixel(b.picture.hWnd, 0, 0), s[SchemeColour::Face]);
}

TEST(EditBoxes, DragSelectionShowsInTheSchemeAndScrolledTextStopsAtTheMargins) {
    Boxes b;
    const ColourScheme& s = TestScheme();
    b.name.SetText("Autumn leaves falling on the quiet pond", true);
    RECT client = b.name.GetClientRect();
    int middle = client.bottom / 2;
    auto count = [&](COLORREF colour, int fromX) {
        int w = 0, h = 0, n = 0;
        std::vector<uint32_t> pixels = Harness::CaptureWindow(b.name.hWnd, w, h);
        const uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
        for (int y = 0; y < h; ++y) {
            for (int x = fromX; x < w; ++x) n += (pixels[static_cast<size_t>(y) * w + x] & 0xFFFFFF) == rgb;
        }
        return n;
    };
    Harness::Press(b.name.hWnd, 5, middle);
    Harness::MoveTo(b.name.hWnd, 60, middle);
    Harness::Pump(50);
    DWORD start = 0, end = 0;
    b.name.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_GT(end, 5u);
    // The run being selected is drawn in the scheme's selection colours as it grows.
    EXPECT_GT(count(s[SchemeColour::SelectionBack], 0), 100);
    // Past the right end the box scrolls the text along under the pointer.
    Harness::MoveTo(b.name.hWnd, client.right + 40, middle);
    EXPECT_TRUE(Harness::PumpUntil([&] {
        b.name.SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        return end == b.name.Text().size();
    }));
    Harness::Pump(100);
    Harness::SaveScreenshot(b.parent.hWnd, "controls-edits-drag-select");
    Harness::Release();
    Harness::Pump(30);
    // The first visible letters are cut at the left margin, not painted over it.
    RECT format{};
    b.name.SendMessage(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    ASSERT_GT(format.left, 0);
    for (int x = 0; x < format.left; ++x) {
        for (int y = 0; y < client.bottom; ++y)
            EXPECT_EQ(Harness::ClientPixel(b.name.hWnd, x, y), s[SchemeColour::Window]) << x << "," << y;
    }
    EXPECT_GT(count(s[SchemeColour::SelectionBack], format.left), 100);
}

}  // namespace
