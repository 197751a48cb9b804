// Dialogs opened and closed a thousand times leave no GDI or USER objects behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "FrameworkTestIds.h"
#include "OrvLib/framework/CDialog.h"
#include "OrvLib/framework/DataExchange.h"
#include "OrvLib/framework/GdiHolders.h"
#include "OrvLib/framework/Module.h"
#include "WindowHarness.h"

namespace {

class Swatch : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT) {
            CPaintDC dc(hWnd);
            OrvBrush brush(CreateSolidBrush(RGB(90, 140, 60)));
            OrvPen pen(CreatePen(PS_SOLID, 1, RGB(20, 40, 10)));
            OrvSelection useBrush(dc, brush);
            OrvSelection usePen(dc, pen);
            const RECT r = GetClientRect();
            Rectangle(dc, r.left, r.top, r.right, r.bottom);
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The form template with a page, a control of our own class and taken-over controls; it
// closes itself as soon as it is up.
class ClosingForm : public CDialog {
public:
    ClosingForm() : CDialog(IDD_FORM) {}

protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_REFLECTED, button);
        DDX_Text(dx, IDC_NAME, name);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        page.Create(IDD_PAGE, this);
        swatch.Create("LifetimeSwatch", "", WS_CHILD | WS_VISIBLE, RECT{10, 200, 60, 230}, this, 77);
        PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
        return TRUE;
    }

private:
    CWnd button;
    CDialog page{IDD_PAGE};
    Swatch swatch;
    std::string name = "loop";
};

// Without object counts (Wine answers 0) a leak still shows in the handle tables: a fresh
// handle reuses a freed slot first, so a run of fresh handles reaches as high as the table
// has grown; objects that are never freed push that mark up run after run.
unsigned Slot(const void* handle) {
    return static_cast<unsigned>(reinterpret_cast<UINT_PTR>(handle) & 0xFFFF);
}

unsigned HighestFreshGdiSlot() {
    std::vector<OrvBrush> probes;
    unsigned highest = 0;
    for (int i = 0; i < 256; ++i) {
        probes.emplace_back(CreateSolidBrush(RGB(i, 0, 0)));
        highest = std::max(highest, Slot(probes.back().Get()));
    }
    return highest;
}

unsigned HighestFreshUserSlot() {
    std::vector<HMENU> probes;
    unsigned highest = 0;
    for (int i = 0; i < 64; ++i) {
        probes.push_back(CreateMenu());
        highest = std::max(highest, Slot(probes.back()));
    }
    for (HMENU menu : probes) DestroyMenu(menu);
    return highest;
}

TEST(FrameworkLifetime, ThousandDialogsLeaveNoObjectsBehind) {
    const int kWarmUp = 20, kRuns = 1000;
    DWORD gdiStart = 0, userStart = 0;
    unsigned gdiEarly = 0, userEarly = 0, gdiLate = 0, userLate = 0;
    for (int i = 0; i < kWarmUp + kRuns; ++i) {
        ClosingForm form;
        ASSERT_EQ(form.DoModal(), IDCANCEL) << "run " << i;
        if (i == kWarmUp) {
            gdiStart = Harness::GdiObjectCount();
            userStart = Harness::UserObjectCount();
            gdiEarly = HighestFreshGdiSlot();
            userEarly = HighestFreshUserSlot();
        }
    }
    gdiLate = HighestFreshGdiSlot();
    userLate = HighestFreshUserSlot();
    EXPECT_EQ(Harness::GdiObjectCount(), gdiStart);
    EXPECT_EQ(Harness::UserObjectCount(), userStart);
    EXPECT_LE(gdiLate, gdiEarly + 16);
    EXPECT_LE(userLate, userEarly + 16);
    EXPECT_EQ(OrvRegisteredWindowClass("LifetimeSwatch"), nullptr);
    std::printf("GDI objects %lu, USER objects %lu; fresh handle slots GDI %u then %u, USER %u then %u\n",
                gdiStart, userStart, gdiEarly, gdiLate, userEarly, userLate);
}

}  // namespace
