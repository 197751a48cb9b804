// The quick preview of a dragged control, at the plug-in level with the platform's clock
// replaced: drawing stops once more than the budget has passed, and a quick flag left
// set by the dialog never reaches the final pass.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "OrvLib/platform/headless/HeadlessPlatform.h"
#include "host/MemoryHost.h"
#include "product/PSVarnPlugin.h"
#include "product/dialog/headless/HeadlessDialog.h"
#include "tests/plugin/ObjectFile.h"
#include "tests/plugin/PluginEntry.h"
#include "tests/dialog/DefaultBlock.h"

namespace {

using VarnHost::HostImage;
using VarnHost::MemoryHost;

struct QuickPreviewTest : ::testing::Test {
    MemoryHost host;
    HostImage image{160, 120, 3};
    uint32_t now = 1000;
    uint32_t step = 0;
    int reads = 0;

    void SetUp() override {
        for (size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = uint8_t(i * 7 % 251);
        EffectParameters p = DefaultBlock();
        std::snprintf(p.path, sizeof p.path, "%s",
                      PluginTest::WriteObject("quick-preview-object.bmp", 20, 16).c_str());
        p.density = 100;
        p.rotationAngle = 33;  // turned copies, so that one sample and four differ
        const uint8_t* b = reinterpret_cast<const uint8_t*>(&p);
        host.Record().parameters = host.MakeHandle(std::vector<uint8_t>(b, b + sizeof p));
        OrvHeadless::SetClock([this] {
            ++reads;
            return now += step;
        });
    }
    void TearDown() override {
        OrvHeadless::SetClock(nullptr);
        HeadlessDialog::SetUserActions(nullptr);
    }
    // A full run; returns the final image.
    std::vector<uint8_t> Run() {
        host.SetImage(image);
        EXPECT_EQ(host.Run(&PluginMain, false), noErr);
        return host.Image().pixels;
    }
};

std::vector<uint8_t> PreviewPixels(PSVarnPlugin& plugin) {
    const OrvImage2* preview = plugin.GetPreviewImage();
    return std::vector<uint8_t>(preview->Bits(), preview->Bits() + preview->ImageSize());
}

TEST_F(QuickPreviewTest, DrawingStopsOnceMoreThanTheBudgetHasPassed) {
    size_t placements = 0;
    int quickReads = 0;
    std::vector<uint8_t> stopped, complete, full;
    HeadlessDialog::SetUserActions([&](PSVarnPlugin& plugin) {
        placements = plugin.Placements().size();
        full = PreviewPixels(plugin);
        plugin.SetQuickPreview(true);
        step = 0;  // a clock that stands still: quick, yet every copy drawn
        plugin.RenderPreviewImage();
        complete = PreviewPixels(plugin);
        step = 50;  // 50 ms a copy: after the fifth, 250 ms have passed
        reads = 0;
        plugin.RenderPreviewImage();
        quickReads = reads;
        stopped = PreviewPixels(plugin);
        plugin.SetQuickPreview(false);
    });
    Run();
    ASSERT_GT(placements, 6u);
    // The start, then one reading after each copy; at exactly 200 ms the fifth is still drawn.
    EXPECT_EQ(quickReads, 1 + 5);
    EXPECT_NE(stopped, complete) << "copies after the budget are left out";
    EXPECT_NE(complete, full) << "quick drawing is the cheaper kind";
}

TEST_F(QuickPreviewTest, FinalPassAfterOkIsFullQualityWhateverTheDialogLeft) {
    const std::vector<uint8_t> reference = Run();
    ASSERT_NE(reference, image.pixels);
    HeadlessDialog::SetUserActions([&](PSVarnPlugin& plugin) {
        plugin.SetQuickPreview(true);
        plugin.RenderPreviewImage();
    });
    step = 300;  // every copy of a quick pass would overrun the budget
    EXPECT_EQ(Run(), reference);
}

}  // namespace
