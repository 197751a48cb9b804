// The effect dialog at the display scale Wine runs it at (the test suite runs this program at
// 96, 120, 144 and 192 pixels an inch, each in a prefix of its own), in high contrast, and
// after a move to a monitor of another scale. Every page is checked and photographed.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>
#include <vector>

#include "EffectDialogDriver.h"
#include "OrvLib/controls/DisplayScale.h"
#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "OrvLib/controls/win32/OrvDragTabCtrl.h"
#include "OrvLib/framework/CWnd.h"
#include "OrvLib/controls/win32/ControlSupport.h"
#include "OrvLib/controls/win32/SchemePainter.h"
#include "OrvLib/plugin/DialogSkin.h"
#include "WindowHarness.h"
#include "product/resources/ResourceIds.h"

namespace {

using namespace DialogTest;

const char* const kPageNames[] = {"image", "settings", "options", "variation"};

OrvRect In(HWND window, HWND parent) { return ToOrvRect(RectIn(window, parent)); }

std::string Text(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The width the control's text needs beside what the control draws around it, or 0 for a
// control that shows no text of its own.
int32_t NeededWidth(HWND control, int dpi) {
    char kind[32] = {};
    GetClassNameA(control, kind, sizeof kind);
    // The angle dial shows a picture and a number, not its window text.
    if (dynamic_cast<OrvAngleControl2*>(CWnd::FromHandlePermanent(control)) != nullptr) return 0;
    const std::string text = Text(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    if (text.empty()) return 0;
    const int32_t extent = ControlSupport::TextExtent(ControlSupport::GuiFont(), text).cx;
    if (lstrcmpiA(kind, "Button") == 0) {
        switch (style & BS_TYPEMASK) {
            case BS_PUSHBUTTON:
            case BS_DEFPUSHBUTTON:
                return extent + 2 * DisplayScale::Scale(3, dpi);
            case BS_GROUPBOX:
                return extent + DisplayScale::Scale(12, dpi);
            default:  // check boxes and radio buttons: the mark, the gap, the text
                return extent + DisplayScale::Scale(16, dpi);
        }
    }
    if (lstrcmpiA(kind, "Static") == 0 && (style & SS_TYPEMASK) <= SS_RIGHT) return extent;
    return 0;
}

bool IsPicture(HWND c) { return (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP; }

bool IsSpinOf(HWND spin, HWND box) {
    char kind[32] = {};
    GetClassNameA(spin, kind, sizeof kind);
    return lstrcmpiA(kind, UPDOWN_CLASSA) == 0 && reinterpret_cast<HWND>(SendMessageA(spin, UDM_GETBUDDY, 0, 0)) == box;
}

// What is wrong with the layout of one page: a control outside the page, a text wider than
// its control, two controls overlapping where neither holds the other (a panel or group
// box holds what lies inside it; a spin button sits on its box; the strips and glasses are
// pictures drawn behind the sliders' blank margins).
std::vector<std::string> PageProblems(HWND page, int dpi) {
    std::vector<std::string> problems;
    RECT client;
    GetClientRect(page, &client);
    std::vector<std::pair<HWND, OrvRect>> shown;
    for (HWND c = GetWindow(page, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        if (IsWindowVisible(c)) shown.emplace_back(c, In(c, page));
    }
    const auto name = [](HWND c) { return std::to_string(GetDlgCtrlID(c)) + " \"" + Text(c) + "\""; };
    for (size_t i = 0; i < shown.size(); ++i) {
        const auto& [c, r] = shown[i];
        if (!Contains(ToOrvRect(client), r)) problems.push_back(name(c) + " leaves the page");
        if (NeededWidth(c, dpi) > r.Width())
            problems.push_back(name(c) + " clips its text: needs " + std::to_string(NeededWidth(c, dpi)) +
                               ", has " + std::to_string(r.Width()));
        for (size_t j = i + 1; j < shown.size(); ++j) {
            const OrvRect& o = shown[j].second;
            const HWND d = shown[j].first;
            if (IsPicture(c) || IsPicture(d) || IsSpinOf(c, d) || IsSpinOf(d, c)) continue;
            if (Intersects(r, o) && !Contains(r, o) && !Contains(o, r))
                problems.push_back(name(c) + " overlaps " + name(shown[j].first));
        }
    }
    return problems;
}

// Moves the dialog to the screen's top-left corner, so that a large scale keeps its tabs
// and buttons on the screen for the pointer.
void ToCorner(HWND dialog) {
    SetWindowPos(dialog, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Eventually([&] { return In(dialog, nullptr).left == 0; });
}

// Shows each page in turn, checks it and saves it as <name>-<page>.
void CheckEveryPage(HWND dialog, int dpi, const std::string& name) {
    for (int tab = 0; tab < 4; ++tab) {
        ASSERT_TRUE(ShowTab(dialog, tab)) << "tab " << tab;
        const std::vector<HWND> pages = VisiblePages(dialog);
        ASSERT_EQ(pages.size(), 1u);
        // The page lies inside the tab strip, below the row of tabs.
        HWND strip = TabStrip(dialog);
        const auto* tabs = dynamic_cast<OrvDragTabCtrl*>(CWnd::FromHandlePermanent(strip));
        ASSERT_NE(tabs, nullptr);
        const OrvRect page = In(pages[0], dialog), area = In(strip, dialog);
        EXPECT_TRUE(Contains(area, page)) << kPageNames[tab];
        for (int i = 0; i < 4; ++i) {
            const OrvRect item = tabs->Model().Item(i).rect;
            EXPECT_FALSE(item.IsEmpty()) << "tab " << i << " shown";
            EXPECT_LE(area.top + item.bottom, page.top) << kPageNames[tab] << " covers tab " << i;
            EXPECT_LE(area.left + item.right, area.right) << "tab " << i << " inside the strip";
        }
        for (const std::string& problem : PageProblems(pages[0], dpi))
            ADD_FAILURE() << kPageNames[tab] << " at " << dpi << " dpi: " << problem;
        // The strip repaints its row after the page shows: photograph it once it has.
        Eventually([&] { return !GetUpdateRect(strip, nullptr, FALSE) && !GetUpdateRect(pages[0], nullptr, FALSE); });
        Harness::SaveScreenshot(dialog, name + "-" + kPageNames[tab]);
    }
}

// The previews, the zoom strip and its controls where the layout rule puts them, inside
// the skin's panel, and the zoom label wide enough for its widest text.
void CheckPreviewArea(HWND dialog, int dpi) {
    RECT client;
    GetClientRect(dialog, &client);
    const OrvRect panel =
        DialogSkin::PanelIn(OrvSize{client.right, client.bottom}, DialogSkin::ArtFactor(dpi));
    const OrvRect tabs = In(TabStrip(dialog), dialog);
    HWND strip = nullptr;
    for (HWND c = GetWindow(dialog, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
        char kind[16] = {};
        GetClassNameA(c, kind, sizeof kind);
        if (GetDlgCtrlID(c) == 0 && lstrcmpiA(kind, "Static") == 0 && IsWindowVisible(c)) strip = c;
    }
    ASSERT_NE(strip, nullptr);
    const OrvRect stripRect = In(strip, dialog), before = In(GetDlgItem(dialog, IDC_BEFORE_PREVIEW), dialog),
                  result = In(GetDlgItem(dialog, IDC_RESULT_PREVIEW), dialog);
    for (const OrvRect& r : {stripRect, before, result}) EXPECT_TRUE(Contains(panel, r));
    // The panel's lower edge runs between the previews and the page area, or under the tabs.
    EXPECT_LT(before.bottom, panel.bottom);
    EXPECT_LE(panel.bottom, tabs.top + DisplayScale::Scale(20, dpi));
    EXPECT_EQ(stripRect.right, before.left);
    EXPECT_FALSE(Intersects(before, result));
    EXPECT_EQ(result.right, tabs.right);
    EXPECT_EQ(stripRect.left, tabs.left);
    int32_t top = stripRect.top + DisplayScale::Scale(2, dpi);
    for (int id : {IDC_ZOOM_IN, IDC_ZOOM_OUT, IDC_ZOOM_RATIO, IDC_LOCATOR}) {
        const OrvRect r = In(GetDlgItem(dialog, id), dialog);
        EXPECT_EQ(r.top, top) << id;
        EXPECT_TRUE(Contains(stripRect, r)) << id;
        EXPECT_GE(r.Width(), DisplayScale::Scale(22, dpi)) << id;
        top = r.bottom;
    }
    const int32_t label = In(GetDlgItem(dialog, IDC_ZOOM_RATIO), dialog).Width();
    for (const char* ratio : {"1:14", "7:1", "1:99"})
        EXPECT_LE(ControlSupport::TextExtent(ControlSupport::GuiFont(), ratio).cx, label) << ratio;
}

TEST_F(EffectDialog, EveryPageAndThePreviewAreaFitAtTheDisplayScale) {
    Prepare(1000, 800, {"--density", "40", "--seed", "3"});
    Start([&](HWND dialog) {
        const int dpi = ControlSupport::WindowDpi(dialog);
        ToCorner(dialog);
        CheckPreviewArea(dialog, dpi);
        const OrvRect window = In(dialog, nullptr);
        if (dpi <= 120) {
            // A 1366 x 768 screen at 125 % less a 40-pixel task bar.
            EXPECT_LE(window.Width(), 1366);
            EXPECT_LE(window.Height(), 728);
        }
        CheckEveryPage(dialog, dpi, "scale-" + std::to_string(dpi));
        EndWith(dialog, IDCANCEL);
    });
}

// High contrast: Wine cannot switch it on, so the test sets the system colours of a
// high-contrast scheme and overrides what the system says about the mode.
TEST_F(EffectDialog, HighContrastTakesTheSystemColoursAndDropsTheSkin) {
    if (ControlSupport::WindowDpi(nullptr) != 96) GTEST_SKIP() << "photographed at 96 dpi only";
    const int elements[] = {COLOR_BTNFACE, COLOR_BTNTEXT,   COLOR_WINDOW,    COLOR_WINDOWTEXT, COLOR_3DFACE,
                            COLOR_GRAYTEXT, COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT};
    const COLORREF contrast[] = {RGB(0, 0, 0),     RGB(255, 255, 255), RGB(0, 0, 0),   RGB(255, 255, 255),
                                 RGB(0, 0, 0),     RGB(0, 255, 0),     RGB(0, 0, 255), RGB(255, 255, 255)};
    COLORREF saved[8];
    for (int i = 0; i < 8; ++i) saved[i] = GetSysColor(elements[i]);
    ASSERT_TRUE(SetSysColors(8, elements, contrast));
    ControlSupport::SetHighContrastForTesting(1);
    Prepare(1000, 800, {"--density", "40", "--seed", "3"});
    Start([&](HWND dialog) {
        ToCorner(dialog);
        // The header, where the skin has its wordmark, is the system's face colour now.
        for (POINT p : {POINT{60, 30}, POINT{200, 40}})
            EXPECT_EQ(Harness::ClientPixel(dialog, p.x, p.y), RGB(0, 0, 0)) << p.x << "," << p.y;
        for (int tab = 0; tab < 4; ++tab) {
            ASSERT_TRUE(ShowTab(dialog, tab));
            HWND page = VisiblePages(dialog).at(0);
            EXPECT_EQ(Harness::ClientPixel(page, 1, 1), RGB(0, 0, 0)) << kPageNames[tab];
            Harness::SaveScreenshot(dialog, std::string("contrast-") + kPageNames[tab]);
        }
        // A label is drawn in the system's text colour on its face.
        ASSERT_TRUE(ShowTab(dialog, 1));
        HWND label = GetDlgItem(VisiblePages(dialog).at(0), IDC_DENSITY_LABEL);
        int width = 0, height = 0, text = 0, other = 0;
        for (uint32_t p : Harness::CaptureWindow(label, width, height)) {
            if (p == 0xFFFFFF) ++text;
            else if (p != 0) ++other;
        }
        EXPECT_GT(text, 0);
        EXPECT_EQ(other, 0) << "only the system's text and face colours";
        EndWith(dialog, IDCANCEL);
    });
    ControlSupport::SetHighContrastForTesting(-1);
    SetSysColors(8, elements, saved);
    RefreshDefaultColourScheme();
}

// A move to a monitor of twice the scale: Wine has one display, so the test sends the
// message the system sends, with the rectangle it suggests.
TEST_F(EffectDialog, MovedToAMonitorOfAnotherScaleItIsLaidOutAgain) {
    if (ControlSupport::WindowDpi(nullptr) != 96) GTEST_SKIP() << "from 96 dpi only";
    Prepare(1000, 800, {"--density", "40", "--seed", "3"});
    Start([&](HWND dialog) {
        ToCorner(dialog);
        const OrvRect before = In(dialog, nullptr);
        RECT suggested{0, 0, before.Width() * 3 / 2, before.Height() * 3 / 2};
        SendMessageA(dialog, WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
        EXPECT_TRUE(SameRect(RectIn(dialog, nullptr), suggested));
        CheckPreviewArea(dialog, 144);
        CheckEveryPage(dialog, 144, "scale-moved-144");
        EndWith(dialog, IDCANCEL);
    });
}

}  // namespace
