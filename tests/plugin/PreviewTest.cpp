// Proxies and the view: what is read from the host at each zoom and pan, and that the
// proxies always show exactly the viewed pixels.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "OrvLib/plugin/OrvPSFilter.h"
#include "host/MemoryHost.h"

namespace {

using VarnHost::HostImage;
using VarnHost::MemoryHost;

// Runs a script inside Start, where the host's record is live, as the dialog does.
class ViewFilter : public OrvPSFilter {
public:
    std::function<void(ViewFilter&)> script;
    std::vector<OrvRect> renderedAreas;
    std::vector<int32_t> renderedKinds;

    using OrvPSFilter::sourceImage;
    using OrvPSFilter::viewRect;
    using OrvPSFilter::zoomLevel;

    void OnStart() override {
        CheckImageAndArea();
        NoteHostCapabilities();
        SetAlphaMode(true);
        script(*this);
    }
    void RenderArea(const PixelBuffer& in, const PixelBuffer& out, const OrvRect& area) override {
        renderedAreas.push_back(area);
        renderedKinds.push_back(in.kind);
        for (int32_t y = 0; y < in.height; ++y)
            for (int32_t i = 0; i < in.width * in.bytesPerPixel; ++i) out.Row(y)[i] = in.Row(y)[i];
    }
};

ViewFilter* current = nullptr;
void PSCALL Entry(int16 selector, void* record, intptr_t* data, int16* result) {
    current->Dispatch(selector, record, data, result);
}

HostImage Pattern(int w, int h, int planes) {
    HostImage image(w, h, planes);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int p = 0; p < planes; ++p) image.At(x, y, p) = uint8_t(x * 7 + y * 13 + p * 50);
    return image;
}

// Every proxy pixel (x, y) is host pixel (view.left + x * r, view.top + y * r), blue first.
void ExpectShowsView(const OrvImage2& proxy, const HostImage& image, const OrvRect& view, int32_t r) {
    const int b = proxy.BitCount() / 8;
    ASSERT_EQ(proxy.Width(), view.right / r - view.left / r);
    ASSERT_EQ(proxy.AbsHeight(), view.bottom / r - view.top / r);
    for (int y = 0; y < proxy.AbsHeight(); ++y) {
        const uint8_t* row = proxy.RowAddress(y);
        for (int x = 0; x < proxy.Width(); ++x) {
            const int sx = (view.left / r + x) * r, sy = (view.top / r + y) * r;
            ASSERT_EQ(row[x * b + 0], image.At(sx, sy, 2)) << x << "," << y;
            ASSERT_EQ(row[x * b + 1], image.At(sx, sy, 1));
            ASSERT_EQ(row[x * b + 2], image.At(sx, sy, 0));
            if (b == 4) {
                ASSERT_EQ(row[x * b + 3], image.At(sx, sy, 3));
            }
        }
    }
}

struct PreviewTest : ::testing::Test {
    ViewFilter filter;
    MemoryHost host;
    void SetUp() override { current = &filter; }
    void Run(const HostImage& image, std::function<void(ViewFilter&)> script) {
        host.SetImage(image);
        filter.script = std::move(script);
        ASSERT_EQ(host.Call(&Entry, filterSelectorPrepare), noErr);
        ASSERT_EQ(host.Call(&Entry, filterSelectorStart), noErr);
    }
};

TEST_F(PreviewTest, FitLevelProxiesAreReadSampled) {
    const HostImage image = Pattern(1000, 800, 3);
    Run(image, [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        EXPECT_EQ(f.GetZoomLevel(), 4);
        EXPECT_FALSE(f.CanZoomOut());
        EXPECT_TRUE(f.CanZoomIn());
        ExpectShowsView(*f.GetSourceImage(), image, f.GetViewRect(), 4);
        EXPECT_EQ(f.GetSourceImage()->Width(), 250);
        EXPECT_EQ(f.GetBeforeImage(), f.GetSourceImage()) << "no selection: the before preview is the source";
        ASSERT_NE(f.GetPreviewImage(), nullptr);
        EXPECT_EQ(f.renderedAreas.back(), (OrvRect{0, 0, 1000, 800}));
        EXPECT_EQ(f.renderedKinds.back(), pixelKindProxyBGR);
    });
    EXPECT_EQ(host.Requests().front().inputRate, 4 << 16);
}

TEST_F(PreviewTest, SmallImageIsEnlargedAndCannotZoomOut) {
    const HostImage image = Pattern(100, 80, 4);
    Run(image, [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        EXPECT_EQ(f.GetZoomLevel(), 0);
        EXPECT_FALSE(f.CanZoomOut());
        ExpectShowsView(*f.GetSourceImage(), image, f.GetViewRect(), 1);
        EXPECT_EQ(f.GetSourceImage()->BitCount(), 32);
        f.ZoomIn();
        EXPECT_EQ(f.GetViewRect(), (OrvRect{6, 5, 94, 75})) << "88 x 70 around the centre";
    });
}

TEST_F(PreviewTest, LevelThreeViewAtTheOrigin) {
    const HostImage image = Pattern(1000, 800, 3);
    Run(image, [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        f.zoomLevel = 3;
        f.viewRect = OrvRect{0, 0, 300, 200};
        f.BuildSourceImage();
        EXPECT_EQ(f.GetSourceImage()->Width(), 100);
        EXPECT_EQ(f.GetSourceImage()->AbsHeight(), 66);
        ExpectShowsView(*f.GetSourceImage(), image, f.viewRect, 3);
    });
    EXPECT_EQ(host.Requests().back().inputRate, 3 << 16);
}

TEST_F(PreviewTest, PansGiveWhatAFreshBuildGives) {
    const HostImage image = Pattern(1000, 800, 3);
    Run(image, [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        f.ZoomIn();  // level 3, 792 x 630 around the centre
        const OrvRect start = f.GetViewRect();
        f.ScrollView(4, 0);
        EXPECT_EQ(f.GetViewRect().left, start.left + 6) << "whole sampling steps";
        f.ScrollView(-5, 7);
        EXPECT_EQ(f.GetViewRect().left, start.left);
        EXPECT_EQ(f.GetViewRect().top, start.top + 9);
        ExpectShowsView(*f.GetSourceImage(), image, f.GetViewRect(), 3);
        ExpectShowsView(*f.GetPreviewImage(), image, f.GetViewRect(), 3);
        // At the edge only what is left, then nothing.
        f.ScrollView(10000, 10000);
        EXPECT_EQ(f.GetViewRect().right, 1000);
        EXPECT_EQ(f.GetViewRect().bottom, 800);
        const size_t renders = f.renderedAreas.size();
        f.ScrollView(3, 3);
        EXPECT_EQ(f.renderedAreas.size(), renders);
        ExpectShowsView(*f.GetSourceImage(), image, f.GetViewRect(), 3);
        f.ZoomOut();
        EXPECT_EQ(f.GetViewRect(), (OrvRect{0, 0, 1000, 800}));
    });
}

TEST_F(PreviewTest, SelectionGivesDimmedBeforeAndGreyMaskProxies) {
    HostImage image = Pattern(120, 90, 3);
    std::vector<uint8_t> mask(120 * 90);
    for (size_t i = 0; i < mask.size(); ++i) mask[i] = uint8_t(i * 37);
    host.SetImage(image);
    host.SetMask(mask);
    filter.script = [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        const OrvImage2* before = f.GetBeforeImage();
        const OrvImage2* m = f.GetMaskImage();
        ASSERT_NE(before, f.GetSourceImage());
        ASSERT_EQ(m->BitCount(), 8);
        EXPECT_EQ(m->TableColour(200), OrvColour(200 | 200 << 8 | 200 << 16));
        for (int y = 0; y < 90; y += 7)
            for (int x = 0; x < 120; x += 5) {
                const int k = mask[y * 120 + x] + 255;
                EXPECT_EQ(m->RowAddress(y)[x], mask[y * 120 + x]);
                EXPECT_EQ(before->RowAddress(y)[x * 3 + 0], (k * image.At(x, y, 2)) >> 9);
                EXPECT_EQ(before->RowAddress(y)[x * 3 + 2], (k * image.At(x, y, 0)) >> 9);
            }
    };
    ASSERT_EQ(host.Call(&Entry, filterSelectorPrepare), noErr);
    ASSERT_EQ(host.Call(&Entry, filterSelectorStart), noErr);
}

TEST_F(PreviewTest, ThinAreasKeepARowAndTheLocatorMapsSafely) {
    Run(Pattern(1000, 1, 3), [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        EXPECT_EQ(f.GetZoomLevel(), 1);
        EXPECT_GE(f.GetSourceImage()->AbsHeight(), 1);
        EXPECT_GE(f.GetPreviewImage()->AbsHeight(), 1);
    });
    MemoryHost strip;
    strip.SetImage(Pattern(10000, 10, 3));
    ViewFilter thin;
    current = &thin;
    thin.script = [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        f.ZoomIn();
        f.CreateLocatorImage({264, 210});
        ASSERT_NE(f.GetLocatorImage(), nullptr);
        EXPECT_EQ(f.GetLocatorImage()->AbsHeight(), 1);
        EXPECT_EQ(f.GetLocatorImage()->Width(), 1000);
    };
    ASSERT_EQ(strip.Call(&Entry, filterSelectorPrepare), noErr);
    ASSERT_EQ(strip.Call(&Entry, filterSelectorStart), noErr);
}

TEST_F(PreviewTest, HostWithoutSamplingIsNeverAskedForARate) {
    const HostImage image = Pattern(1000, 800, 3);
    host.Record().samplingSupport = hostDoesNotSupportSampling;
    Run(image, [&](ViewFilter& f) {
        f.SetPreviewSize({264, 210});
        EXPECT_EQ(f.GetZoomLevel(), 1);
        ExpectShowsView(*f.GetSourceImage(), image, f.GetViewRect(), 1);
        f.CreateLocatorImage({264, 210});
        ExpectShowsView(*f.GetLocatorImage(), image, OrvRect{0, 0, 1000, 800}, 3);
    });
    for (const VarnHost::AdvanceRequest& r : host.Requests()) {
        EXPECT_EQ(r.inputRate, 0x10000);
        EXPECT_LE(r.inRect.right - r.inRect.left, 1000);
    }
}

TEST_F(PreviewTest, LocatorIsTheWholeAreaAtItsFactor) {
    const HostImage image = Pattern(2000, 1000, 3);
    Run(image, [&](ViewFilter& f) {
        f.CreateLocatorImage({264, 210});
        EXPECT_EQ(f.GetLocatorImage()->Width(), 285);
        EXPECT_EQ(f.GetLocatorImage()->AbsHeight(), 142);
        ExpectShowsView(*f.GetLocatorImage(), image, OrvRect{0, 0, 2000, 1000}, 7);
    });
}

}  // namespace
