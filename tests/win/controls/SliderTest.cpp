// The slider under real input: drags, pages, keys and the wheel, with the codes its parent hears.
#include <algorithm>

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

TEST(Sliders, EscapeDuringAThumbDragPutsTheThumbBackAndEndsTheScroll) {
    Sliders s;
    s.density.SetPos(50);
    Harness::Pump(30);
    POINT t = s.Thumb(s.density);
    Harness::Press(s.density.hWnd, t.x, t.y);
    Harness::MoveTo(s.density.hWnd, t.x + 40, t.y);
    EXPECT_EQ(s.density.GetPos(), 70);
    Harness::Key(VK_ESCAPE);
    EXPECT_EQ(s.density.GetPos(), 50);
    EXPECT_EQ(s.parent.Codes(WM_HSCROLL, kDensity).back(), static_cast<UINT>(TB_ENDTRACK));
    EXPECT_EQ(GetCapture(), nullptr);
    s.parent.Clear();
    Harness::Release();
    EXPECT_TRUE(s.parent.heard.empty());
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
    EXPECT_EQ(s.parent.Codes(WM_HSCROLL, kDensity), (Codes{TB_LINEDOWN}));
    Harness::SaveScreenshot(s.parent.hWnd, "controls-slider-focused");

    // The slider's own keys, each with its code and the end; any other key sends nothing,
    // so nothing reaches the system trackbar beneath.
    const struct {
        WORD key;
        int position;
        UINT code;
    } keys[] = {{VK_NEXT, 40, TB_PAGEDOWN},
                {VK_PRIOR, 20, TB_PAGEUP},
                {VK_END, 100, TB_BOTTOM},
                {VK_HOME, 0, TB_TOP},
                {'A', 0, 0},
                {VK_F2, 0, 0}};
    for (const auto& k : keys) {
        s.parent.Clear();
        Harness::Key(k.key);
        EXPECT_EQ(s.density.GetPos(), k.position) << k.key;
        EXPECT_EQ(s.parent.Codes(WM_HSCROLL, kDensity), k.code != 0 ? (Codes{k.code, TB_ENDTRACK}) : Codes{})
            << k.key;
    }
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

struct Scales {
    TestParent parent{280, 200};
    OrvCustomSliderCtrl scale{SliderOption::kAutoTicks | SliderOption::kNumberBox | SliderOption::kBoxRight,
                              TickFlag::kBelow};
    OrvCustomSliderCtrl below{SliderOption::kNumberBox};
    OrvCustomSliderCtrl off{SliderOption::kAutoTicks, TickFlag::kBelow | TickFlag::kLabel};
    Scales() {
        // Sixty pixels high: room for marks and labels on both sides of the thumb band.
        Make(scale, RECT{10, 6, 270, 66}, 40, 0, 20);
        for (int v : {0, 10, 20})
            scale.AddTick(v, TickFlag::kAbove | TickFlag::kLabel, 3, v == 20 ? "Max" : "");
        Make(below, RECT{10, 70, 270, 126}, 41, -50, 50);
        Make(off, RECT{10, 130, 270, 190}, 42, 0, 8);
        off.SetPos(3);
        off.EnableWindow(false);
        Activate(parent.hWnd);
        Harness::Pump(50);
    }
    void Make(OrvCustomSliderCtrl& s, RECT r, UINT id, int minimum, int maximum) {
        ASSERT_TRUE(
            s.CreateControl(TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, r, parent.hWnd, id));
        s.SetColourScheme(&TestScheme());
        s.SetRange(minimum, maximum);
    }
    static RECT InParent(HWND w) {
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, GetParent(w), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
};

TEST(Sliders, NumberBoxSitsBesideTheSliderAndFollowsItBothWays) {
    Scales s;
    ASSERT_NE(s.scale.NumberBox(), nullptr);
    HWND box = s.scale.NumberBox()->hWnd;
    EXPECT_EQ(GetDlgCtrlID(box), 1235) << "apart from the dial's box on a page with both";
    RECT slider = Scales::InParent(s.scale.hWnd), boxRect = Scales::InParent(box);
    // The arrows end where the slider's area did, however often the range was set.
    ASSERT_NE(s.scale.NumberBox()->SpinButton(), nullptr);
    // (the system's arrows stop a border's width short of their buddy's old right edge).
    EXPECT_NEAR(Scales::InParent(s.scale.NumberBox()->SpinButton()->hWnd).right, 270, 2);
    EXPECT_EQ(boxRect.left - slider.right, 5);
    EXPECT_NEAR((boxRect.top + boxRect.bottom) / 2, 36, 1);
    RECT under = Scales::InParent(s.below.NumberBox()->hWnd), belowSlider = Scales::InParent(s.below.hWnd);
    EXPECT_EQ(under.bottom, 126);
    EXPECT_EQ(under.top - belowSlider.bottom, 5);
    EXPECT_EQ(s.below.NumberBox()->Text(), "-50");

    // Typed digits move the slider as they come, each heard as a thumb position.
    // Clicked right of the digits: the caret at the end.
    RECT inside;
    GetClientRect(box, &inside);
    Harness::Click(box, inside.right - 2, inside.bottom / 2);
    Harness::Key(VK_BACK);
    EXPECT_EQ(s.scale.NumberBox()->Text(), "");
    s.parent.Clear();
    Harness::Key('1');
    Harness::Key('5');
    EXPECT_EQ(s.scale.GetPos(), 15);
    EXPECT_EQ(s.parent.Codes(WM_HSCROLL, 40), (Codes{TB_THUMBPOSITION, TB_THUMBPOSITION}));
    auto last = std::find_if(s.parent.heard.rbegin(), s.parent.heard.rend(),
                             [](const Heard& h) { return h.message == WM_HSCROLL; });
    ASSERT_NE(last, s.parent.heard.rend());
    EXPECT_EQ(last->value, 15);
    // Out of the range: the slider stays where it was.
    Harness::Key('0');
    EXPECT_EQ(s.scale.GetPos(), 15);
    Harness::Key(VK_BACK);
    // The arrows beside the box step the slider too.
    HWND spin = s.scale.NumberBox()->SpinButton()->hWnd;
    RECT arrows;
    GetClientRect(spin, &arrows);
    Harness::Click(spin, arrows.right / 2, arrows.bottom - 4);
    EXPECT_EQ(s.scale.NumberBox()->Text(), "14");
    EXPECT_EQ(s.scale.GetPos(), 14);

    // Keys on the slider show in the box.
    Harness::Click(s.scale.hWnd, 2, 2);
    Harness::Key(VK_LEFT);
    Harness::Key(VK_LEFT);
    EXPECT_EQ(s.scale.NumberBox()->Text(), "12");

    // Moving, disabling and hiding the slider carry over to its box.
    s.scale.SetWindowPos(nullptr, slider.left, slider.top + 4, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_EQ(Scales::InParent(box).top, boxRect.top + 4);
    s.scale.EnableWindow(false);
    EXPECT_FALSE(IsWindowEnabled(box));
    s.scale.ShowWindow(SW_HIDE);
    EXPECT_FALSE(IsWindowVisible(box));
}

TEST(Sliders, TickMarksStandAtTheirValuesAndAPressHoldsOneDown) {
    Scales s;
    const ColourScheme& c = TestScheme();
    const SliderGeometry& g = s.scale.Model().Geometry();
    // A mark below the thumb band on every value, the labelled ones above it.
    for (int v : {0, 7, 20}) {
        int x = s.scale.Model().OffsetToPixel(v);
        EXPECT_EQ(Harness::ClientPixel(s.scale.hWnd, x, g.thumb.bottom + 3), c[SchemeColour::Text]) << v;
    }
    int ten = s.scale.Model().OffsetToPixel(10);
    EXPECT_EQ(Harness::ClientPixel(s.scale.hWnd, ten, g.thumb.top - 4), c[SchemeColour::Text]);
    EXPECT_EQ(Harness::ClientPixel(s.scale.hWnd, ten + 2, g.thumb.top - 4), c[SchemeColour::Face]);
    EXPECT_TRUE(Harness::SaveScreenshot(s.parent.hWnd, "controls-slider-ticks"));

    // Pressing next to a mark (outside the channel) holds that tick: drawn in the selection
    // colour until the release, and the value does not move.
    Harness::Press(s.scale.hWnd, ten + 3, g.thumb.top - 5);
    ASSERT_GE(s.scale.PressedTick(), 0);
    EXPECT_EQ(s.scale.Ticks().Placed()[s.scale.PressedTick()].offset, 10);
    Harness::Pump(30);
    EXPECT_EQ(Harness::ClientPixel(s.scale.hWnd, ten, g.thumb.top - 4), c[SchemeColour::SelectionBack]);
    Harness::SaveScreenshot(s.parent.hWnd, "controls-slider-tick-pressed");
    Harness::Release();
    EXPECT_EQ(s.scale.PressedTick(), -1);
    Harness::Pump(30);
    EXPECT_EQ(Harness::ClientPixel(s.scale.hWnd, ten, g.thumb.top - 4), c[SchemeColour::Text]);
    EXPECT_EQ(s.scale.GetPos(), 0);
    EXPECT_TRUE(s.parent.Codes(WM_HSCROLL, 40).empty());
    // The disabled slider's marks and labels are in the disabled colours.
    int x = s.off.Model().OffsetToPixel(4);
    EXPECT_EQ(Harness::ClientPixel(s.off.hWnd, x, s.off.Model().Geometry().thumb.bottom + 3),
              c[SchemeColour::DisabledText]);
}

}  // namespace
