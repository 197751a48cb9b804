// What only the headless surface can show: a 256-colour display, and a system that
// refuses sections and memory contexts.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ImageTestSupport.h"
#include "OrvLib/ORVUTIL/OrvApp.h"
#include "OrvLib/image/OrvDIBSection.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/platform/headless/HeadlessSurface.h"

namespace {

const OrvColour kDarkRed = OrvRGB(0x80, 0, 0);       // entry 1 of the built-in palette
const OrvColour kSilver = OrvRGB(0xC0, 0xC0, 0xC0);  // entry 7

class RecordingApp : public OrvApp {
public:
    void* GetResourceInstance() override { return nullptr; }
    void ReportError(int code, int detail) override { reports.emplace_back(code, detail); }
    std::vector<std::pair<int, int>> reports;
};

class Display {
public:
    Display(int width, int height, int depth)
        : dc(OrvHeadless::CreateDisplay(width, height, depth, 0x00445566)) {}
    ~Display() { OrvHeadless::DestroyDisplay(dc); }
    std::vector<uint32_t> Row(int y, int width) const {
        std::vector<uint32_t> row;
        for (int x = 0; x < width; ++x) row.push_back(OrvHeadless::DisplayPixel(dc, x, y));
        return row;
    }
    OrvSurface::DC dc;
};

class DrawHeadless : public ::testing::Test {
protected:
    void TearDown() override {
        // Every path frees the sections and contexts it made.
        EXPECT_EQ(OrvHeadless::LiveSections(), 0);
        EXPECT_EQ(OrvHeadless::LiveMemoryDCs(), 0);
        OrvHeadless::RefuseSections(0);
        OrvHeadless::RefuseMemoryDCs(0);
    }
};

// [magenta, dark red, dark red, silver]
void MakeKeyedRow(OrvImage2& image) {
    image.Create(4, 1, 24, nullptr);
    ImageTest::Put(image, 0, 0, kOrvMagenta);
    ImageTest::Put(image, 1, 0, kDarkRed);
    ImageTest::Put(image, 2, 0, kDarkRed);
    ImageTest::Put(image, 3, 0, kSilver);
}

TEST_F(DrawHeadless, EightBitDisplaysGetDitheredPaletteColours) {
    OrvImage2 image;
    MakeKeyedRow(image);
    const OrvPalette& palette = OrvImage2::SharedPalette();
    Display display(4, 1, 8);
    image.Draw(display.dc, OrvRect{0, 0, 4, 1}, OrvRect{0, 0, 4, 1}, kOrvMagenta, kSilver, 0);
    // The key shows the background's entry, which ordinary pixels give up for the next one.
    const OrvColour nextToSilver = palette.ColourAt(palette.NearestExcept(kSilver, 7));
    ASSERT_NE(nextToSilver, kSilver);
    EXPECT_EQ(display.Row(0, 4), (std::vector<uint32_t>{kSilver, kDarkRed, kDarkRed, nextToSilver}));

    image.Draw(display.dc, OrvRect{0, 0, 4, 1}, OrvRect{0, 0, 4, 1}, kOrvMagenta, kOrvNoColour, 0);
    EXPECT_EQ(display.Row(0, 4), (std::vector<uint32_t>{kOrvWhite, kDarkRed, kDarkRed, kSilver}));

    // Without a key the picture is still reduced to the palette, and never to magenta.
    OrvImage2 ramp;
    ramp.Create(64, 1, 24, nullptr);
    for (int x = 0; x < 64; ++x) ImageTest::Put(ramp, x, 0, OrvRGB(255 - x, x, 250 - x));
    Display wide(64, 1, 8);
    ramp.Draw(wide.dc, OrvRect{0, 0, 64, 1}, OrvRect{0, 0, 64, 1}, kOrvNoColour, kOrvNoColour, 0);
    for (uint32_t pixel : wide.Row(0, 64)) {
        ASSERT_GE(palette.IndexOf(pixel), 0) << std::hex << pixel;
        ASSERT_NE(pixel, kOrvMagenta);
    }
}

TEST_F(DrawHeadless, RefusedSectionsFallBackToThePlainStretchAndAreReported) {
    OrvImage2 image;
    MakeKeyedRow(image);
    RecordingApp app;
    app.Register();
    for (int depth : {32, 8}) {
        Display display(4, 1, depth);
        OrvHeadless::RefuseSections(1);
        image.Draw(display.dc, OrvRect{0, 0, 4, 1}, OrvRect{0, 0, 4, 1}, kOrvMagenta, kSilver, 0);
        EXPECT_EQ(display.Row(0, 4), (std::vector<uint32_t>{kOrvMagenta, kDarkRed, kDarkRed, kSilver}))
            << depth;

        OrvHeadless::RefuseMemoryDCs(1);
        image.Draw(display.dc, OrvRect{0, 0, 4, 1}, OrvRect{0, 0, 4, 1}, kOrvMagenta, kSilver, 0);
        EXPECT_EQ(display.Row(0, 4)[0], kOrvMagenta);
    }
    EXPECT_EQ(app.reports, (std::vector<std::pair<int, int>>{{103, 9}, {103, 10}, {103, 9}, {103, 10}}));
    app.Unregister();

    // With no application object nothing is reported, and drawing goes on the same way.
    Display display(4, 1, 32);
    OrvHeadless::RefuseSections(1);
    image.Draw(display.dc, OrvRect{0, 0, 4, 1}, OrvRect{0, 0, 4, 1}, kOrvMagenta, kSilver, 0);
    EXPECT_EQ(display.Row(0, 4)[0], kOrvMagenta);
    EXPECT_EQ(app.reports.size(), 4u);
}

TEST_F(DrawHeadless, CreateSectionMakesATopDownSectionWithItsContext) {
    OrvImage2 image;
    image.Create(2, 2, 24, nullptr);
    ASSERT_TRUE(image.CreateSection(3, 2, 8, nullptr, true));
    EXPECT_NE(image.GetDC(), nullptr);
    EXPECT_EQ(image.GetHeight(), 2);
    EXPECT_FALSE(image.IsPacked());
    EXPECT_EQ(image.TableColour(253), kOrvMagenta);  // the built-in colours
    EXPECT_EQ(OrvHeadless::LiveSections(), 1);
    EXPECT_EQ(image.Detach(), nullptr);  // the rows belong to the section

    // Drawing into the section's context lands in the image's rows.
    OrvImage2 source;
    source.Create(1, 1, 24, nullptr);
    ImageTest::Put(source, 0, 0, kDarkRed);
    ASSERT_TRUE(image.CreateSection(2, 1, 24, nullptr, true));
    source.Draw(image.GetDC(), OrvRect{0, 0, 2, 1}, OrvRect{0, 0, 1, 1}, kOrvNoColour, kOrvNoColour, 0);
    EXPECT_EQ(ImageTest::Row(image, 0), (std::vector<uint32_t>{kDarkRed, kDarkRed}));

    OrvHeadless::RefuseMemoryDCs(1);
    EXPECT_FALSE(image.CreateSection(5, 5, 24, nullptr, true));
    EXPECT_EQ(image.GetWidth(), 2);  // unchanged
    EXPECT_TRUE(image.CreateSection(5, 5, 32, nullptr, false));
    EXPECT_EQ(image.GetDC(), nullptr);
    image.Release();
    EXPECT_TRUE(image.IsEmpty());

    OrvDIBSection empty;
    EXPECT_FALSE(empty.Create(106, 0));
}

}  // namespace
