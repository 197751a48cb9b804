// The effect dialog at the display scale Wine runs it at (the suite runs this program at 96,
// 120, 144 and 192 dpi, a Wine prefix each), in high contrast, and after a move to a
// monitor of another scale. Every page is checked and photographed.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "EffectDialogDriver.h"
#include "OrvLib/controls/DisplayScale.h"
#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "OrvLib/controls/win32/OrvDragTabCtrl.h"
#include "OrvLib/plugin/DialogSkin.h"
#include "WindowHarness.h"
#include "product/resources/ResourceIds.h"

namespace {

using namespace DialogTest;
using ControlSupport::GuiFont;
using ControlSupport::TextExtent;
using ControlSupport::TextOf;

const char* const kPages[] = {"image", "settings", "options", "variation"};

OrvRect In(HWND window, HWND parent) { return ToOrvRect(RectIn(window, parent)); }
bool Is(HWND window, const char* kind) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    return lstrcmpiA(name, kind) == 0;
}

// The width a control's own text needs beside its mark or bevel (access keys are
// underlined, not shown); 0 for controls that show no text of their own.
int32_t Needed(HWND c, int dpi) {
    std::string text;
    for (char ch : TextOf(c)) text += ch == '&' ? "" : std::string(1, ch);
    const LONG style = GetWindowLongA(c, GWL_STYLE), type = style & BS_TYPEMASK;
    const bool label = Is(c, "Static") && (style & SS_TYPEMASK) <= SS_RIGHT;
    if (text.empty() || !(label || Is(c, "Button")) ||
        dynamic_cast<OrvAngleControl2*>(CWnd::FromHandlePermanent(c)))
        return 0;
    const int32_t margin = label ? 0 : type <= BS_DEFPUSHBUTTON ? 6 : type == BS_GROUPBOX ? 12 : 16;
    return TextExtent(GuiFont(c), text).cx + DisplayScale::Scale(margin, dpi);
}

// Each control inside the page and its text inside the control; no two overlap unless one
// holds the other (panels, group boxes), a spin button sits on its box, or one is a
// picture drawn behind a slider's blank margin.
void CheckPage(HWND page, int dpi, const std::string& where) {
    std::vector<HWND> shown;
    for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        if (IsWindowVisible(c)) shown.push_back(c);
    const auto apart = [](HWND a, HWND b) {
        const bool spin = Is(a, UPDOWN_CLASSA) && HWND(SendMessageA(a, UDM_GETBUDDY, 0, 0)) == b;
        return spin || (Is(a, "Static") && (GetWindowLongA(a, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP);
    };
    for (size_t i = 0; i < shown.size(); ++i) {
        const OrvRect r = In(shown[i], page);
        const std::string name = where + " \"" + TextOf(shown[i]) + "\"";
        EXPECT_TRUE(Contains(In(page, page), r) && Needed(shown[i], dpi) <= r.Width()) << name << " clipped";
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const OrvRect o = In(shown[j], page);
            if (apart(shown[i], shown[j]) || apart(shown[j], shown[i])) continue;
            EXPECT_TRUE(!Intersects(r, o) || Contains(r, o) || Contains(o, r))
                << name << " overlaps " << TextOf(shown[j]);
        }
    }
}

// The previews and the zoom strip inside the skin's panel, the strip's controls stacked in
// it, the ratio label as wide as its widest text; each page below the tabs, checked and
// photographed as <name>-<page>.
void CheckDialog(HWND dialog, int dpi, const std::string& name) {
    RECT client;
    GetClientRect(dialog, &client);
    const OrvRect panel = DialogSkin::PanelIn({client.right, client.bottom}, DialogSkin::ArtFactor(dpi));
    HWND strip = TabStrip(dialog), zoom = nullptr;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT))
        if (GetDlgCtrlID(c) == 0 && Is(c, "Static")) zoom = c;
    const OrvRect tabs = In(strip, dialog), bar = In(zoom, dialog);
    const OrvRect before = In(GetDlgItem(dialog, IDC_BEFORE_PREVIEW), dialog);
    const OrvRect result = In(GetDlgItem(dialog, IDC_RESULT_PREVIEW), dialog);
    EXPECT_TRUE(Contains(panel, bar) && Contains(panel, before) && Contains(panel, result)) << name;
    EXPECT_TRUE(bar.left == tabs.left && bar.right == before.left && result.right == tabs.right) << name;
    EXPECT_TRUE(!Intersects(before, result) && panel.bottom <= tabs.top + DisplayScale::Scale(20, dpi))
        << name;
    int32_t top = bar.top + DisplayScale::Scale(2, dpi);
    for (int id : {IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_ZOOM_RATIO, IDC_LOCATOR}) {
        const OrvRect r = In(GetDlgItem(dialog, id), dialog);
        EXPECT_TRUE(r.top == top && Contains(bar, r) && r.Width() >= DisplayScale::Scale(22, dpi))
            << name << id;
        top = r.bottom;
    }
    EXPECT_LE(TextExtent(GuiFont(dialog), "1:14").cx, In(GetDlgItem(dialog, IDC_ZOOM_RATIO), dialog).Width());
    const auto* model = dynamic_cast<OrvDragTabCtrl*>(CWnd::FromHandlePermanent(strip));
    for (int tab = 0; tab < 4; ++tab) {
        ASSERT_TRUE(model != nullptr && ShowTab(dialog, tab));
        HWND page = VisiblePages(dialog).at(0);
        const OrvRect item = model->Model().Item(3).rect;  // the last tab
        EXPECT_TRUE(Contains(tabs, In(page, dialog)) && tabs.top + item.bottom <= In(page, dialog).top &&
                    tabs.left + item.right <= tabs.right)
            << name << " tab row";
        CheckPage(page, dpi, name + "-" + kPages[tab]);
        // The strip repaints its row a moment after the page shows (seen: up to a few
        // hundred milliseconds under Wine); only the picture waits for it.
        Sleep(400);
        Harness::SaveScreenshot(dialog, name + "-" + kPages[tab]);
    }
}

class ScaledDialog : public EffectDialog {
protected:
    // Opens the dialog in the screen's top-left corner, so that a large scale keeps its tabs
    // on the screen for the pointer, runs check and cancels.
    void Run(const std::function<void(HWND)>& check) {
        Prepare(1000, 800, {"--density", "40", "--seed", "3"});
        Start([&](HWND dialog) {
            SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            check(dialog);
            EndWith(dialog, IDCANCEL);
        });
    }
};

TEST_F(ScaledDialog, EveryPageAndThePreviewAreaFitAtTheDisplayScale) {
    Run([](HWND dialog) {
        const int dpi = ControlSupport::WindowDpi(dialog);
        const OrvRect window = In(dialog, nullptr);
        // A 1366 x 768 screen at 125 %, less a 40-pixel task bar, holds it.
        EXPECT_TRUE(dpi > 120 || (window.Width() <= 1366 && window.Height() <= 728));
        CheckDialog(dialog, dpi, "scale-" + std::to_string(dpi));
    });
}

// Wine cannot switch high contrast on: the test sets a high-contrast scheme's system colours
// and overrides what the system says about the mode.
TEST_F(ScaledDialog, HighContrastTakesTheSystemColoursAndDropsTheSkin) {
    if (ControlSupport::WindowDpi(nullptr) != 96) GTEST_SKIP() << "at 96 dpi only";
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT, COLOR_WINDOW, COLOR_WINDOWTEXT, COLOR_GRAYTEXT};
    const COLORREF contrast[] = {0, 0xFFFFFF, 0, 0xFFFFFF, RGB(0, 255, 0)};
    COLORREF saved[5];
    for (int i = 0; i < 5; ++i) saved[i] = GetSysColor(elements[i]);
    ASSERT_TRUE(SetSysColors(5, elements, contrast));
    ControlSupport::SetHighContrastForTesting(1);
    Run([](HWND dialog) {
        // Where the skin has its wordmark there is the system's face now.
        EXPECT_EQ(Harness::ClientPixel(dialog, 60, 30), RGB(0, 0, 0));
        CheckDialog(dialog, 96, "contrast");
        int width = 0, height = 0, text = 0, other = 0;
        HWND label = GetDlgItem(VisiblePages(dialog).at(0), IDC_HUE_LABEL);
        for (uint32_t p : Harness::CaptureWindow(label, width, height))
            (p == 0xFFFFFF ? text : other) += p != 0;
        EXPECT_TRUE(text > 0 && other == 0) << "a label only in the system's text colour on its face";
    });
    ControlSupport::SetHighContrastForTesting(-1);
    SetSysColors(5, elements, saved);
}

// Wine has one display: the test sends what the system sends when the dialog moves to a
// monitor of 150 %, with the rectangle it suggests.
TEST_F(ScaledDialog, MovedToAMonitorOfAnotherScaleItIsLaidOutAgain) {
    if (ControlSupport::WindowDpi(nullptr) != 96) GTEST_SKIP() << "from 96 dpi only";
    Run([](HWND dialog) {
        const OrvRect before = In(dialog, nullptr);
        RECT suggested{0, 0, before.Width() * 3 / 2, before.Height() * 3 / 2};
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_TRUE(SameRect(RectIn(dialog, nullptr), suggested));
        CheckDialog(dialog, 144, "scale-moved-144");
    });
}

}  // namespace
