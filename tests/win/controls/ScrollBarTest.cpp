// The scroll bar under real input: a held arrow's timing, thumb drags with Escape, pages
// and the wheel, with the messages its parent hears.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "ControlTestWindow.h"
#include "OrvLib/controls/win32/OrvCustomScrollBar.h"
#include "WindowHarness.h"

namespace {

constexpr UINT kBar = 40, kFlat = 41, kOff = 42;

struct Bars {
    TestParent parent{120, 170};
    OrvCustomScrollBar bar{OrvCustomScrollBar::kVertical | OrvCustomScrollBar::kLive};
    OrvCustomScrollBar flat{0}, off{OrvCustomScrollBar::kVertical};
    Bars() {
        Make(bar, RECT{10, 10, 26, 160}, kBar, 0, 99, 10, 0);
        Make(flat, RECT{40, 10, 110, 26}, kFlat, 0, 9, 10, 0);  // the page covers the range
        Make(off, RECT{40, 40, 56, 160}, kOff, 0, 99, 30, 50);
        off.EnableWindow(false);
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
    void Make(OrvCustomScrollBar& b, RECT r, UINT id, int minimum, int maximum, int page, int position) {
        ASSERT_TRUE(b.Create(&parent, r, id));
        b.SetColourScheme(&TestScheme());
        ScrollInfo info;
        info.minimum = minimum;
        info.maximum = maximum;
        info.page = page;
        info.position = position;
        b.SetScrollInfo(SIF_RANGE | SIF_PAGE | SIF_POS, info);
    }
    size_t LineDowns() {
        std::vector<UINT> codes = parent.Codes(WM_VSCROLL, kBar);
        return std::count(codes.begin(), codes.end(), static_cast<UINT>(SB_LINEDOWN));
    }
};

using Codes = std::vector<UINT>;

TEST(ScrollBars, HeldArrowStepsOnceWaitsTheKeyboardDelayThenRepeatsAtTheRate) {
    Bars b;
    int delaySetting = 0;
    DWORD speed = 0;
    SystemParametersInfoA(SPI_GETKEYBOARDDELAY, 0, &delaySetting, 0);
    SystemParametersInfoA(SPI_GETKEYBOARDSPEED, 0, &speed, 0);
    const int delay = ScrollBarModel::RepeatDelayMs(delaySetting);
    const int rate = ScrollBarModel::RepeatIntervalMs(static_cast<int>(speed));

    using Clock = std::chrono::steady_clock;
    auto since = [](Clock::time_point t) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t).count();
    };
    auto start = Clock::now();
    Harness::Press(b.bar.hWnd, 8, 145);
    EXPECT_EQ(b.LineDowns(), 1u);
    Harness::SaveScreenshot(b.parent.hWnd, "controls-scrollbar-arrow-held");
    // Timers may run late under load, never early: the second step waits the delay and no
    // more steps come than the rate allows.
    ASSERT_TRUE(Harness::PumpUntil([&] { return b.LineDowns() >= 2; }, 5000));
    EXPECT_GE(since(start), delay - 30);
    ASSERT_TRUE(Harness::PumpUntil([&] { return b.LineDowns() >= 6; }, 5000));
    Harness::Release();
    long long held = since(start);
    size_t steps = b.LineDowns();
    EXPECT_LE(steps, 2 + static_cast<size_t>((held - delay) / rate));
    EXPECT_EQ(b.bar.GetScrollPos(), static_cast<int>(steps));
    Harness::Pump(200);
    EXPECT_EQ(b.LineDowns(), steps);
}

TEST(ScrollBars, ThumbDragFollowsThePointerAndEscapePutsItBack) {
    Bars b;
    const ScrollParts& p = b.bar.Model().Parts();
    int thumb = (p.thumbStart + p.thumbEnd) / 2;
    Harness::Press(b.bar.hWnd, 8, thumb);
    Harness::MoveTo(b.bar.hWnd, 8, thumb + 20);
    Harness::MoveTo(b.bar.hWnd, 8, thumb + 40);
    // 150 long with arrows of 16: a track of 118 for 100 values.
    EXPECT_EQ(b.bar.GetScrollPos(), 100 * 40 / 118);
    Harness::SaveScreenshot(b.parent.hWnd, "controls-scrollbar-thumb-dragged");
    Harness::Release();
    Codes notes = b.parent.Codes(WM_NOTIFY, kBar);
    ASSERT_FALSE(notes.empty());
    EXPECT_EQ(notes.front(), 100u);
    EXPECT_EQ(notes.back(), 102u);
    Codes codes = b.parent.Codes(WM_VSCROLL, kBar);
    ASSERT_GE(codes.size(), 2u);
    EXPECT_EQ(codes[codes.size() - 2], static_cast<UINT>(SB_THUMBTRACK));
    EXPECT_EQ(codes.back(), static_cast<UINT>(SB_ENDSCROLL));
    int kept = b.bar.GetScrollPos();

    // Escape reaches the bar through the focus.
    b.bar.SetFocus();
    b.parent.Clear();
    thumb = (b.bar.Model().Parts().thumbStart + b.bar.Model().Parts().thumbEnd) / 2;
    Harness::Press(b.bar.hWnd, 8, thumb);
    Harness::MoveTo(b.bar.hWnd, 8, thumb + 30);
    EXPECT_NE(b.bar.GetScrollPos(), kept);
    Harness::Key(VK_ESCAPE);
    EXPECT_EQ(b.bar.GetScrollPos(), kept);
    EXPECT_EQ(b.parent.Codes(WM_NOTIFY, kBar).back(), 103u);
    Harness::Release();
    EXPECT_EQ(b.parent.Codes(WM_NOTIFY, kBar).back(), 103u);
}

TEST(ScrollBars, TrackClicksPageAndTheWheelStepsOneArrow) {
    Bars b;
    Harness::Click(b.bar.hWnd, 8, 120);
    EXPECT_EQ(b.bar.GetScrollPos(), 10);
    EXPECT_EQ(b.parent.Codes(WM_VSCROLL, kBar), (Codes{SB_PAGEDOWN}));
    b.bar.SetFocus();
    Harness::MoveTo(b.bar.hWnd, 8, 60);
    Harness::Wheel(WHEEL_DELTA);
    EXPECT_EQ(b.bar.GetScrollPos(), 9);
    // A bar whose page covers the range has no thumb and its track does nothing.
    EXPECT_FALSE(b.flat.Model().Parts().hasThumb);
    Harness::Click(b.flat.hWnd, 35, 8);
    EXPECT_TRUE(b.parent.Codes(WM_HSCROLL, kFlat).empty());
    EXPECT_TRUE(Harness::SaveScreenshot(b.parent.hWnd, "controls-scrollbars"));
}

}  // namespace
