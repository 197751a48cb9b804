// Every kind of change made on the dialog's pages with real input ends in a full preview
// that shows, at 1:1, exactly what OK then makes; and the seed box takes the keys and the
// clipboard as a Windows edit box does.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "EffectDialogDriver.h"
#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
#include "OrvLib/framework/CWnd.h"
#include "WindowHarness.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/PreviewPacer.h"
#include "product/resources/ResourceIds.h"

namespace {

using namespace DialogTest;

// The result preview in the final image's layout (RGB rows); empty unless it shows the
// whole area at 1:1.
std::vector<uint8_t> PreviewAsFinal(PSVarnPlugin& plugin) {
    const OrvImage2* p = plugin.GetPreviewImage();
    if (p == nullptr || plugin.GetZoomLevel() != 1 || p->BitCount() != 24 ||
        !(plugin.GetViewRect() == plugin.GetFilterRect()))
        return {};
    std::vector<uint8_t> rgb;
    for (int y = 0; y < p->AbsHeight(); ++y) {
        const uint8_t* row = p->RowAddress(y);
        for (int x = 0; x < p->Width(); ++x)
            rgb.insert(rgb.end(), {row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    return rgb;
}

template <class Control>
Control* ControlOf(HWND page, int id) {
    return dynamic_cast<Control*>(CWnd::FromHandlePermanent(GetDlgItem(page, id)));
}

// A click on a slider's thumb: the focus, and no change.
void FocusThumb(HWND page, int id) {
    auto* slider = ControlOf<OrvCustomSliderCtrl>(page, id);
    ASSERT_NE(slider, nullptr) << id;
    const OrvRect thumb = slider->Model().Geometry().thumb;
    Harness::Click(slider->hWnd, (thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
    ASSERT_TRUE(Eventually([&] { return HostFocus() == slider->hWnd; }));
}

std::string TextOf(HWND window) {
    char text[64] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

HWND AngleBox(HWND page) { return GetDlgItem(page, OrvAngleControl2::kBoxId); }

void PressControl(WORD key) {
    Harness::KeyDown(VK_CONTROL);
    Harness::Key(key);
    Harness::KeyUp(VK_CONTROL);
}

void SetClipboardText(const std::string& text) {
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    memcpy(GlobalLock(data), text.c_str(), text.size() + 1);
    GlobalUnlock(data);
    SetClipboardData(CF_TEXT, data);
    CloseClipboard();
}

TEST_F(EffectDialog, EveryKindOfChangeEndsInOneFullPreviewEqualToTheFinalPass) {
    const auto density = [](HWND page) { FocusThumb(page, IDC_DENSITY); };
    // Unturned copies in the end (the angles typed and stepped to end at 0), whose pixels
    // the preview and the final pass share.
    const struct {
        const char* name;
        const char* rotation;
        std::function<void(HWND page)> focus, act;
        uint32_t mostRenders;
    } kinds[] = {
        {"wheel step", "0", density, [](HWND) { Harness::Wheel(120); }, 1},
        {"wheel burst", "0", density,
         [](HWND) {
             for (int i = 0; i < 4; ++i) Harness::Wheel(-120);
         },
         5},
        {"arrow key", "0", density, [](HWND) { Harness::Key(VK_RIGHT); }, 1},
        {"page up", "0", density, [](HWND) { Harness::Key(VK_PRIOR); }, 1},
        {"home", "0", density, [](HWND) { Harness::Key(VK_HOME); }, 1},
        {"typed angle", "20", [](HWND page) { Harness::Click(AngleBox(page), 8, 6); },
         [](HWND) {
             // Over the whole text; 360 wraps to 0.
             PressControl('A');
             for (char c : {'3', '6', '0'}) Harness::Key(WORD(c));
         },
         4},
        {"spin click", "359", [](HWND page) { Harness::MoveTo(AngleBox(page), 4, 4); },
         [](HWND page) {
             HWND spin = ControlOf<OrvAngleControl2>(page, IDC_ROTATION_ANGLE)->EditBox()->SpinButton()->hWnd;
             Harness::Click(spin, 4, 4);
         },
         1},
    };
    PSVarnPlugin& plugin = ThePlugin();
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        Prepare(160, 120, {"--density", "40", "--seed", "7", "--rotation", kind.rotation});
        const EffectParameters opened = *plugin.Parameters();
        uint32_t renders = 0;
        bool lastQuick = true;
        std::vector<uint8_t> preview;
        ASSERT_EQ(Start([&](HWND dialog) {
                      ASSERT_TRUE(ShowTab(dialog, 1));
                      HWND page = VisiblePages(dialog).at(0);
                      kind.focus(page);
                      Sleep(2 * PreviewPacer::kSettleMs);
                      const uint32_t before = plugin.PreviewRenders();
                      kind.act(page);
                      ASSERT_TRUE(Eventually([&] { return plugin.PreviewRenders() > before; }));
                      // Past the settle timer of the last step, and then some.
                      Sleep(3 * PreviewPacer::kSettleMs);
                      renders = plugin.PreviewRenders() - before;
                      lastQuick = plugin.LastPreviewQuick();
                      preview = PreviewAsFinal(plugin);
                      EndWith(dialog, IDOK);
                  }),
                  noErr);
        EXPECT_FALSE(lastQuick);
        EXPECT_GE(renders, 1u);
        EXPECT_LE(renders, kind.mostRenders);
        EXPECT_NE(std::memcmp(&opened, plugin.Parameters(), sizeof opened), 0) << "the input changed nothing";
        ASSERT_EQ(preview.size(), host.Image().pixels.size());
        EXPECT_TRUE(preview == host.Image().pixels) << "the preview is not the final picture";
        if (kind.rotation[0] == '3' || kind.name[0] == 't')
            EXPECT_EQ(plugin.Parameters()->rotationAngle, 0.0);
    }
}

TEST_F(EffectDialog, SeedBoxSelectsAllWithControlAAndRefusesToPasteWhatIsNoNumber) {
    Prepare(160, 120, {"--density", "40", "--seed", "5"});
    std::string afterKeys, afterContextMenu;
    ASSERT_EQ(Start([&](HWND dialog) {
                  ASSERT_TRUE(ShowTab(dialog, 2));
                  HWND seed = GetDlgItem(VisiblePages(dialog).at(0), IDC_SEED);
                  // A click leaves the caret among the digits; Control+A takes them all.
                  Harness::Click(seed, 8, 6);
                  ASSERT_TRUE(Eventually([&] { return HostFocus() == seed; }));
                  PressControl('A');
                  Harness::Key('7');
                  Harness::Key('7');
                  ASSERT_TRUE(Eventually([&] { return TextOf(seed) == "77"; })) << TextOf(seed);
                  SetClipboardText("abc");
                  PressControl('V');
                  Sleep(100);
                  afterKeys = TextOf(seed);
                  // The same through the box's context menu: right click, then its Paste.
                  RECT box;
                  GetClientRect(seed, &box);
                  Harness::Click(seed, box.right / 2, box.bottom / 2, Harness::Button::Right);
                  Sleep(300);
                  Harness::Key('P');
                  Sleep(200);
                  afterContextMenu = TextOf(seed);
                  // A number pasted through the menu goes in, so the menu did reach the box.
                  SetClipboardText("123");
                  PressControl('A');
                  Harness::Click(seed, box.right / 2, box.bottom / 2, Harness::Button::Right);
                  Sleep(300);
                  Harness::Key('P');
                  EXPECT_TRUE(Eventually([&] { return TextOf(seed) == "123"; })) << TextOf(seed);
                  Harness::Key(VK_TAB);
                  EndWith(dialog, IDOK);
              }),
              noErr);
    EXPECT_EQ(afterKeys, "77");
    EXPECT_EQ(afterContextMenu, "77");
    EXPECT_EQ(ThePlugin().Parameters()->randomSeed, 123);
}

}  // namespace
