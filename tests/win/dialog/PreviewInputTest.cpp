// Every kind of change made on the Settings page with real input ends in one full preview
// that shows, at 1:1, exactly what OK then makes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <vector>

#include "EffectDialogDriver.h"
#include "OrvLib/controls/win32/OrvAngleControl2.h"
#include "OrvLib/controls/win32/OrvCustomSliderCtrl.h"
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
    std::vector<uint8_t> rgb;
    if (p == nullptr || plugin.GetZoomLevel() != 1 || !(plugin.GetViewRect() == plugin.GetFilterRect()))
        return rgb;
    for (int y = 0; y < p->AbsHeight(); ++y)
        for (const uint8_t* px = p->RowAddress(y); px < p->RowAddress(y) + 3 * p->Width(); px += 3)
            rgb.insert(rgb.end(), {px[2], px[1], px[0]});
    return rgb;
}

template <class Control>
Control& ControlOf(HWND page, int id) {
    return dynamic_cast<Control&>(*CWnd::FromHandlePermanent(GetDlgItem(page, id)));
}

// A click on the density thumb: the focus, and no change.
void FocusDensity(HWND page) {
    const OrvRect thumb = ControlOf<OrvCustomSliderCtrl>(page, IDC_DENSITY).Model().Geometry().thumb;
    Harness::Click(GetDlgItem(page, IDC_DENSITY), (thumb.left + thumb.right) / 2,
                   (thumb.top + thumb.bottom) / 2);
}

TEST_F(EffectDialog, EveryKindOfChangeEndsInOneFullPreviewEqualToTheFinalPass) {
    const auto angleBox = [](HWND page) { Harness::Click(GetDlgItem(page, OrvAngleControl2::kBoxId), 8, 6); };
    // The copies end unturned (angles typed or stepped to 0), whose pixels the preview and
    // the final pass share.
    const struct {
        const char* name;
        const char* rotation;
        std::function<void(HWND page)> focus, act;
        uint32_t mostRenders;
    } kinds[] = {
        {"wheel step", "0", FocusDensity, [](HWND) { Harness::Wheel(120); }, 1},
        {"wheel burst", "0", FocusDensity,
         [](HWND) {
             for (int i = 0; i < 3; ++i) Harness::Wheel(-120);
         },
         4},
        {"arrow key", "0", FocusDensity, [](HWND) { Harness::Key(VK_RIGHT); }, 1},
        {"page up", "0", FocusDensity, [](HWND) { Harness::Key(VK_PRIOR); }, 1},
        {"home", "0", FocusDensity, [](HWND) { Harness::Key(VK_HOME); }, 1},
        // Control+A takes the whole text; 360 wraps to 0.
        {"typed angle", "20", angleBox,
         [](HWND) {
             Harness::KeyDown(VK_CONTROL);
             Harness::Key('A');
             Harness::KeyUp(VK_CONTROL);
             for (WORD key : {'3', '6', '0'}) Harness::Key(key);
         },
         4},
        {"spin click", "359", [](HWND) {},
         [](HWND page) {
             Harness::Click(
                 ControlOf<OrvAngleControl2>(page, IDC_ROTATION_ANGLE).EditBox()->SpinButton()->hWnd, 4, 4);
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
                      Sleep(3 * PreviewPacer::kSettleMs);  // past the settle timer of the last step
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
        EXPECT_TRUE(preview == host.Image().pixels) << "the preview is not the final picture";
        EXPECT_EQ(plugin.Parameters()->rotationAngle, 0.0);
    }
}

}  // namespace
