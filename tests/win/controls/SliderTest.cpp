// The slider under real input: drags, pages, keys and the wheel, with the codes its parent hears.
#include <gtest/gtest.h>

#include "ControlTestWindow.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "WindowHarness.h"

namespace {

enum : UINT { kDensity = 30, kOpacity = 31, kOff = 32 };

struct Sliders {
    TestParent parent{240, 120};
    OrvCustomSliderCtrl density, opacity, off;
    Sliders() {
        Make(density, RECT{10, 10, 230, 40}, kDensity);
        Make(opacity, RECT{10, 45, 230, 65}, kOpacity);
        Make(off, RECT{10, 75, 230, 105}, kOff);
        off.SetPos(70);
        off.EnableWindow(false);
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
    void Make(OrvCustomSliderCtrl& s, RECT r, UINT id) {
        ASSERT_TRUE(
            s.CreateControl(TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, r, parent.hWnd, id));
        s.SetColourScheme(&TestScheme());
        s.SetRange(0, 100);
    }
    POINT Thumb(OrvCustomSliderCtrl& s) {
        const OrvRect& t = s.Model().Geometry().thumb;
        return POINT{(t.left + t.right) / 2, (t.top + t.bottom) / 2};
    }
};

using Codes = std::vector<UINT>;

TEST(Sliders, ThumbDragTracksEveryMoveThenEndsWithPositionAndEnd) {
    Sliders s;
    s.density.SetPos(50);
    Harness::Pump(30);
    POINT t = s.Thumb(s.density);
    Harness::Press(s.density.hWnd, t.x, t.y);
    EXPECT_EQ(s.parent.Codes(WM_HSCROLL, kDensity), (Codes{TB_THUMBTRACK}));
    Harness::SaveScreenshot(s.parent.hWnd, "controls-slider-thumb-pressed");
    int moves = 0;
    for (int dx = 10; dx <= 50; dx += 10, ++moves) Harness::MoveTo(s.density.hWnd, t.x + dx, t.y + 3);
    Harness::Release();
    Codes codes = s.parent.Codes(WM_HSCROLL, kDensity);
    ASSERT_EQ(codes.size(), static_cast<size_t>(1 + moves + 2));
    for (int i = 0; i <= moves; ++i) EXPECT_EQ(codes[i], static_cast<UINT>(TB_THUMBTRACK));
    EXPECT_EQ(codes[moves + 1], static_cast<UINT>(TB_THUMBPOSITION));
    EXPECT_EQ(codes.back(), static_cast<UINT>(TB_ENDTRACK));
    // 198 pixels of channel for 100 values: 50 pixels are 25 values.
    EXPECT_EQ(s.density.GetPos(), 75);
    EXPECT_EQ(s.parent.heard.back().value, 75);
}

TEST(Sliders, ChannelPressPagesAndKeysAndWheelStep) {
    Sliders s;
    Harness::Click(s.density.hWnd, 200, 15);
    EXPECT_EQ(s.parent.Codes(WM_HSCROLL, kDensity), (Codes{TB_PAGEDOWN, TB_ENDTRACK}));
    EXPECT_EQ(s.density.GetPos(), 20);
    EXPECT_EQ(GetFocus(), s.density.hWnd);

    s.parent.Clear();
    Harness::Key(VK_DOWN);
    Harness::Key(VK_UP);
    Harness::Key(VK_UP);
    EXPECT_EQ(s.density.GetPos(), 19);
    EXPECT_EQ(s.parent.Codes(WM_HSCROLL, kDensity),
              (Codes{TB_LINEDOWN, TB_ENDTRACK, TB_LINEUP, TB_ENDTRACK, TB_LINEUP, TB_ENDTRACK}));

    s.parent.Clear();
    Harness::MoveTo(s.density.hWnd, 20, 15);
    Harness::Wheel(WHEEL_DELTA);
    EXPECT_EQ(s.density.GetPos(), 20);
    EXPECT_EQ(s.parent.Codes(WM_HSCROLL, kDensity), (Codes{TB_THUMBPOSITION}));
    Harness::SaveScreenshot(s.parent.hWnd, "controls-slider-focused");
}

TEST(Sliders, HeldChannelRepeatsPagesUntilTheThumbReachesThePointer) {
    Sliders s;
    Harness::Press(s.opacity.hWnd, 170, 10);
    EXPECT_TRUE(Harness::PumpUntil([&] { return s.opacity.GetPos() == 80; }, 5000));
    // A further period takes no page past the pointer.
    Harness::Pump(700);
    Harness::Release();
    Codes codes = s.parent.Codes(WM_HSCROLL, kOpacity);
    // x = 170 is value 80: pages to 20, 40, 60, 80 and stops.
    EXPECT_EQ(codes, (Codes{TB_PAGEDOWN, TB_PAGEDOWN, TB_PAGEDOWN, TB_PAGEDOWN, TB_ENDTRACK}));
    EXPECT_EQ(s.opacity.GetPos(), 80);
}

TEST(Sliders, LooksAtSeveralValues) {
    Sliders s;
    for (int v : {0, 50, 100}) {
        s.density.SetPos(v);
        s.opacity.SetPos(100 - v);
        Harness::Pump(40);
        EXPECT_TRUE(Harness::SaveScreenshot(s.parent.hWnd, "controls-slider-" + std::to_string(v)));
    }
    const ColourScheme& sc = TestScheme();
    EXPECT_EQ(Harness::ClientPixel(s.density.hWnd, 100, 2), sc[SchemeColour::Face]);
    const OrvRect& ch = s.density.Model().Geometry().channel;
    int m = (ch.top + ch.bottom) / 2;
    EXPECT_EQ(Harness::ClientPixel(s.density.hWnd, 60, m - 1), sc[SchemeColour::DarkShadow]);
    EXPECT_EQ(Harness::ClientPixel(s.density.hWnd, 60, m + 1), sc[SchemeColour::Highlight]);
}

}  // namespace
