// The final pass and the selection scan against the in-memory host: which tiles are
// asked for, what reaches the effect, and what the host ends up with.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "OrvLib/plugin/OrvPSFilter.h"
#include "host/MemoryHost.h"
#include "product/dialog/headless/HeadlessDialog.h"
#include "tests/plugin/PluginEntry.h"

namespace {

using VarnHost::HostImage;
using VarnHost::MemoryHost;

// Inverts every byte it is given, so the host's image shows exactly which pixels the
// pass wrote; with a mask, only where the mask is 255.
class InvertingFilter : public OrvPSFilter {
public:
    std::vector<OrvRect> tiles;
    std::vector<int32_t> kinds;
    OrvRect selection;
    bool plain = false;

    void OnStart() override {
        CheckImageAndArea();
        selection = GetSelectionBounds(plain);
        SetAlphaMode(true);
        RunFilter();
    }
    void RenderArea(const PixelBuffer& in, const PixelBuffer& out, const OrvRect& area) override {
        Record(in, area);
        for (int32_t y = 0; y < in.height; ++y)
            for (int32_t i = 0; i < in.width * in.bytesPerPixel; ++i)
                out.Row(y)[i] = uint8_t(255 - in.Row(y)[i]);
    }
    void RenderAreaMasked(const PixelBuffer& in, const PixelBuffer& out, const PixelBuffer& mask,
                          const OrvRect& area) override {
        Record(in, area);
        for (int32_t y = 0; y < in.height; ++y)
            for (int32_t x = 0; x < in.width; ++x)
                if (mask.Row(y)[x] == 255)
                    for (int32_t p = 0; p < in.bytesPerPixel; ++p) {
                        out.Row(y)[x * in.bytesPerPixel + p] =
                            uint8_t(255 - in.Row(y)[x * in.bytesPerPixel + p]);
                    }
    }

private:
    void Record(const PixelBuffer& in, const OrvRect& area) {
        tiles.push_back(area);
        kinds.push_back(in.kind);
    }
};

InvertingFilter* current = nullptr;
void PSCALL Entry(int16 selector, void* record, intptr_t* data, int16* result) {
    current->Dispatch(selector, record, data, result);
}

HostImage Noise(int w, int h, int planes) {
    HostImage image(w, h, planes);
    uint32_t state = 12345;
    for (uint8_t& v : image.pixels) {
        state = state * 1103515245u + 12345u;
        v = uint8_t(state >> 24);
    }
    return image;
}

struct RunFilterTest : ::testing::Test {
    InvertingFilter filter;
    MemoryHost host;
    void SetUp() override { current = &filter; }
    OSErr Run() {
        OSErr err = host.Call(&Entry, filterSelectorPrepare);
        return err != noErr ? err : host.Call(&Entry, filterSelectorStart);
    }
    // Pixels inside `written` are inverted, all others as they were.
    void ExpectInverted(const HostImage& before, const OrvRect& written,
                        const std::vector<uint8_t>* mask = nullptr) {
        const HostImage& now = host.Image();
        for (int y = 0; y < before.height; ++y)
            for (int x = 0; x < before.width; ++x) {
                bool inside =
                    x >= written.left && x < written.right && y >= written.top && y < written.bottom;
                if (mask != nullptr) inside = inside && (*mask)[size_t(y) * before.width + x] == 255;
                for (int p = 0; p < before.planes; ++p) {
                    ASSERT_EQ(now.At(x, y, p), inside ? 255 - before.At(x, y, p) : before.At(x, y, p))
                        << x << "," << y << " plane " << p;
                }
            }
    }
};

TEST_F(RunFilterTest, ThinAreaRunsTwoTilesWithProgress) {
    host.SetImage(Noise(129, 1, 3));
    EXPECT_EQ(Run(), noErr);
    ASSERT_EQ(filter.tiles.size(), 2u);
    EXPECT_EQ(filter.tiles[1], (OrvRect{128, 0, 129, 1}));
    EXPECT_EQ(host.Progress(), (std::vector<std::pair<int32_t, int32_t>>{{0, 2}, {1, 2}}));
}

TEST_F(RunFilterTest, TilesCoverTheFilterRectangleInReadingOrder) {
    const HostImage before = Noise(300, 200, 3);
    host.SetImage(before);
    host.SetFilterRect(10, 20, 190, 290);
    EXPECT_EQ(Run(), noErr);
    ASSERT_EQ(filter.tiles.size(), 6u);
    EXPECT_EQ(filter.tiles[0], (OrvRect{20, 10, 148, 138}));
    EXPECT_EQ(filter.tiles[2], (OrvRect{276, 10, 290, 138}));
    EXPECT_EQ(filter.tiles[3], (OrvRect{20, 138, 148, 190}));
    ExpectInverted(before, OrvRect{20, 10, 290, 190});
    for (const VarnHost::AdvanceRequest& r : host.Requests()) {
        EXPECT_EQ(r.inputRate, 0x10000);
        EXPECT_EQ(r.inHiPlane, 2);
        EXPECT_EQ(r.outHiPlane, 2);
        EXPECT_EQ(r.maskRect.right - r.maskRect.left, 0) << "no mask without a selection";
    }
    EXPECT_EQ(filter.kinds[0], pixelKindHostRGB);
}

TEST_F(RunFilterTest, FourPlanesAreReadAndWrittenWithTransparency) {
    const HostImage before = Noise(40, 30, 4);
    host.SetImage(before);
    EXPECT_EQ(Run(), noErr);
    EXPECT_EQ(host.Requests().back().inHiPlane, 3);
    EXPECT_EQ(filter.kinds[0], pixelKindHostRGBA);
    ExpectInverted(before, OrvRect{0, 0, 40, 30});
}

TEST_F(RunFilterTest, SelectionTurnsAutoMaskOffAndMasksEveryTile) {
    const HostImage before = Noise(150, 140, 3);
    std::vector<uint8_t> mask(150 * 140, 0);
    for (int y = 5; y < 135; ++y)
        for (int x = 0; x < 150; ++x) mask[y * 150 + x] = (x + y) % 3 == 0 ? 255 : (x % 2 ? 128 : 0);
    host.SetImage(before);
    host.SetMask(mask);
    EXPECT_EQ(Run(), noErr);
    EXPECT_FALSE(host.Record().autoMask);
    EXPECT_FALSE(filter.plain);
    for (const VarnHost::AdvanceRequest& r : host.Requests()) {
        if (r.outRect.right > r.outRect.left) {
            EXPECT_EQ(r.maskRect.right, r.outRect.right);
        }
    }
    ExpectInverted(before, OrvRect{0, 0, 150, 140}, &mask);
}

TEST_F(RunFilterTest, SelectionBoundsAndPlainness) {
    struct Case {
        const char* name;
        std::vector<OrvRect> rects;
        uint8_t value;
        OrvRect bounds;
        bool plain;
    };
    const std::vector<Case> cases = {
        {"hard rectangle across four scan tiles", {{100, 200, 400, 300}}, 255, {100, 200, 400, 300}, true},
        {"feathered", {{10, 10, 20, 20}}, 200, {10, 10, 20, 20}, false},
        {"two rectangles", {{10, 10, 20, 20}, {30, 10, 40, 20}}, 255, {10, 10, 40, 20}, false},
        {"two rectangles in different scan tiles",
         {{10, 10, 20, 20}, {300, 300, 310, 310}},
         255,
         {10, 10, 310, 310},
         false},
        {"empty", {}, 255, {0, 0, 0, 0}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryHost scanHost;
        std::vector<uint8_t> mask(520 * 400, 0);
        for (const OrvRect& r : c.rects)
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) mask[y * 520 + x] = c.value;
        scanHost.SetImage(HostImage(520, 400, 3));
        scanHost.SetMask(mask);
        InvertingFilter scanFilter;
        current = &scanFilter;
        scanHost.Call(&Entry, filterSelectorPrepare);
        EXPECT_EQ(scanHost.Call(&Entry, filterSelectorStart), noErr);
        EXPECT_EQ(scanFilter.selection, c.bounds);
        EXPECT_EQ(scanFilter.plain, c.plain);
        int scanRequests = 0;
        for (const VarnHost::AdvanceRequest& r : scanHost.Requests()) {
            if (r.outRect.right > r.outRect.left) break;
            EXPECT_LE(r.maskRect.right - r.maskRect.left, 256);
            ++scanRequests;
        }
        EXPECT_EQ(scanRequests, 3 * 2);
    }
}

TEST_F(RunFilterTest, AdvanceErrorAtEveryStepEndsTheCallAndTheNextRunWorks) {
    const HostImage before = Noise(260, 130, 3);
    std::vector<uint8_t> mask(260 * 130, 255);
    int advances = 0;
    {
        MemoryHost probe;
        probe.SetImage(before);
        probe.SetMask(mask);
        InvertingFilter f;
        current = &f;
        probe.Call(&Entry, filterSelectorPrepare);
        ASSERT_EQ(probe.Call(&Entry, filterSelectorStart), noErr);
        advances = int(probe.Requests().size());
    }
    ASSERT_EQ(advances, 2 + 6);
    for (int n = 1; n <= advances; ++n) {
        SCOPED_TRACE(n);
        MemoryHost failing;
        failing.SetImage(before);
        failing.SetMask(mask);
        failing.Faults().errorAtAdvance = n;
        failing.Faults().advanceError = -5000 - n;
        InvertingFilter f;
        current = &f;
        failing.Call(&Entry, filterSelectorPrepare);
        EXPECT_EQ(failing.Call(&Entry, filterSelectorStart), -5000 - n);
        failing.Faults().errorAtAdvance = 0;
        EXPECT_EQ(failing.Call(&Entry, filterSelectorStart), noErr);
    }
}

TEST_F(RunFilterTest, AdvanceErrorAnywhereInTheRealStartEndsItCleanly) {
    // Selection scan, preview proxies, locator and final pass of the plug-in itself.
    const HostImage before = Noise(300, 140, 4);
    std::vector<uint8_t> mask(300 * 140, 255);
    MemoryHost probe;
    probe.SetImage(before);
    probe.SetMask(mask);
    ASSERT_EQ(probe.Run(&PluginMain), noErr);
    const int advances = int(probe.Requests().size());
    ASSERT_GT(advances, 10);
    for (int n = 1; n <= advances; ++n) {
        SCOPED_TRACE(n);
        MemoryHost failing;
        failing.SetImage(before);
        failing.SetMask(mask);
        failing.Faults().errorAtAdvance = n;
        failing.Faults().advanceError = -20000 - n;
        EXPECT_EQ(failing.Run(&PluginMain), -20000 - n);
        EXPECT_EQ(failing.Locks(), failing.Unlocks());
        failing.Faults().errorAtAdvance = 0;
        EXPECT_EQ(failing.Run(&PluginMain, false), noErr);
    }
}

TEST_F(RunFilterTest, AbortAfterATileKeepsTheTilesWrittenSoFar) {
    const HostImage before = Noise(384, 128, 3);
    host.SetImage(before);
    host.Faults().abortAtCall = 2;
    EXPECT_EQ(Run(), userCanceledErr);
    EXPECT_EQ(filter.tiles.size(), 2u);
    ExpectInverted(before, OrvRect{0, 0, 256, 128});
}

TEST_F(RunFilterTest, MissingOrShortHostDataIsRefused) {
    const HostImage before = Noise(300, 100, 3);
    host.SetImage(before);
    host.Faults().nullOutDataAtAdvance = 2;
    EXPECT_EQ(Run(), errPlugInHostInsufficient);
    EXPECT_EQ(filter.tiles.size(), 1u);
    ExpectInverted(before, OrvRect{0, 0, 128, 100});

    MemoryHost shortRows;
    shortRows.SetImage(before);
    shortRows.Faults().shortStride = 1;
    shortRows.Call(&Entry, filterSelectorPrepare);
    EXPECT_EQ(shortRows.Call(&Entry, filterSelectorStart), errPlugInHostInsufficient);

    MemoryHost noMask;
    noMask.SetImage(before);
    noMask.SetMask(std::vector<uint8_t>(300 * 100, 255));
    noMask.Faults().nullMaskDataAtAdvance = 1;
    noMask.Call(&Entry, filterSelectorPrepare);
    EXPECT_EQ(noMask.Call(&Entry, filterSelectorStart), errPlugInHostInsufficient);
}

TEST_F(RunFilterTest, WrongImageKindOrAreaIsRefusedBeforeAnyRead) {
    struct Case {
        int planes;
        int16 mode;
        int32 depth;
        Rect area;
        OSErr expected;
    };
    const Case cases[] = {
        {1, plugInModeRGBColor, 8, {0, 0, 10, 10}, filterBadMode},
        {3, plugInModeGrayScale, 8, {0, 0, 10, 10}, filterBadMode},
        {3, plugInModeRGBColor, 16, {0, 0, 10, 10}, filterBadMode},
        {3, plugInModeRGBColor, 8, {5, 5, 5, 5}, filterBadParameters},
        {3, plugInModeRGBColor, 8, {0, 5, 10, 4}, filterBadParameters},
    };
    for (const Case& c : cases) {
        MemoryHost bad;
        bad.SetImage(HostImage(10, 10, c.planes));
        bad.Record().imageMode = c.mode;
        bad.Record().depth = c.depth;
        bad.SetFilterRect(c.area.top, c.area.left, c.area.bottom, c.area.right);
        const int runs = HeadlessDialog::Runs();
        bad.Call(&PluginMain, filterSelectorPrepare);
        EXPECT_EQ(bad.Call(&PluginMain, filterSelectorStart), c.expected);
        EXPECT_TRUE(bad.Requests().empty());
        EXPECT_EQ(HeadlessDialog::Runs(), runs) << "no dialog for an image that cannot be filtered";
    }
}

TEST_F(RunFilterTest, CancelledDialogLeavesTheImageUntouched) {
    const HostImage before = Noise(50, 40, 3);
    host.SetImage(before);
    HeadlessDialog::SetAnswer(false);
    host.Call(&PluginMain, filterSelectorPrepare);
    EXPECT_EQ(host.Call(&PluginMain, filterSelectorStart), userCanceledErr);
    HeadlessDialog::SetAnswer(true);
    for (const VarnHost::AdvanceRequest& r : host.Requests()) EXPECT_EQ(r.outRect.right - r.outRect.left, 0);
    EXPECT_EQ(host.Image().pixels, before.pixels);
}

TEST_F(RunFilterTest, HostWithoutAbortOrProgressCallbacksStillRuns) {
    const HostImage before = Noise(200, 150, 3);
    host.SetImage(before);
    host.Record().abortProc = nullptr;
    host.Record().progressProc = nullptr;
    EXPECT_EQ(Run(), noErr);
    EXPECT_EQ(filter.tiles.size(), 4u);
    ExpectInverted(before, OrvRect{0, 0, 200, 150});
}

TEST_F(RunFilterTest, ColourPickerAnswerIsTakenOnlyOnSuccess) {
    struct PickingFilter : OrvPSFilter {
        bool ok = false;
        uint8_t rgb[3] = {1, 2, 3};
        void OnStart() override { ok = ChooseColour(rgb); }
    } picker;
    static PickingFilter* p;
    p = &picker;
    auto entry = [](int16 s, void* r, intptr_t* d, int16* res) { p->Dispatch(s, r, d, res); };
    host.SetImage(HostImage(4, 4, 3));
    host.SetPickedColour(200, 100, 50);
    host.Call(entry, filterSelectorStart);
    EXPECT_TRUE(picker.ok);
    EXPECT_EQ(picker.rgb[0] + picker.rgb[1] * 256 + picker.rgb[2] * 65536, 200 + 100 * 256 + 50 * 65536);
    host.Faults().colorServicesResult = userCanceledErr;
    picker.rgb[0] = 9;
    host.Call(entry, filterSelectorStart);
    EXPECT_FALSE(picker.ok);
    EXPECT_EQ(picker.rgb[0], 9);
}

TEST_F(RunFilterTest, BoxQueryAsksForTheMaskAloneAndWantsEveryByteSelected) {
    // 255 over columns 10..29 and rows 8..21, fading by 40 a pixel outwards.
    const int w = 40, h = 30;
    std::vector<uint8_t> mask(size_t(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = x < 10 ? 10 - x : x > 29 ? x - 29 : 0;
            const int dy = y < 8 ? 8 - y : y > 21 ? y - 21 : 0;
            mask[size_t(y) * w + x] = uint8_t(std::max(0, 255 - 40 * std::max(dx, dy)));
        }
    struct BoxFilter : OrvPSFilter {
        std::vector<OrvRect> boxes;
        std::vector<bool> answers;
        void OnStart() override {
            for (const OrvRect& box : boxes) answers.push_back(IsBoxSelected(box));
        }
    } boxFilter;
    boxFilter.boxes = {{10, 8, 30, 22}, {9, 8, 30, 22}, {10, 8, 30, 23}, {0, 0, 40, 30}, {12, 5, 20, 5}};
    static BoxFilter* f;
    f = &boxFilter;
    auto entry = [](int16 s, void* r, intptr_t* d, int16* res) { f->Dispatch(s, r, d, res); };
    host.SetImage(HostImage(w, h, 3));
    host.SetMask(mask);
    ASSERT_EQ(host.Call(entry, filterSelectorStart), noErr);
    // The box without rows lies in a feathered part, yet holds no byte that is not 255.
    EXPECT_EQ(boxFilter.answers, (std::vector<bool>{true, false, false, false, true}));
    ASSERT_EQ(host.Requests().size(), boxFilter.boxes.size())
        << "every box is asked for, even one without rows";
    for (size_t i = 0; i < boxFilter.boxes.size(); ++i) {
        const VarnHost::AdvanceRequest& r = host.Requests()[i];
        const OrvRect& b = boxFilter.boxes[i];
        EXPECT_EQ((std::vector<int>{r.maskRect.left, r.maskRect.top, r.maskRect.right, r.maskRect.bottom}),
                  (std::vector<int>{b.left, b.top, b.right, b.bottom}));
        EXPECT_EQ(r.maskRate, 0x10000);
        for (const Rect& none : {r.inRect, r.outRect})
            EXPECT_TRUE(none.top == 0 && none.left == 0 && none.bottom == 0 && none.right == 0);
    }
}

}  // namespace
