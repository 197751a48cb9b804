// Draw on a true-colour target: the plain stretch and the keyed path. Runs natively on
// the headless surface and under Wine on GDI, with the same expectations.
#include <gtest/gtest.h>

#include <vector>

#include "ImageTestSupport.h"
#include "OrvLib/image/OrvImage2.h"
#include "TestDisplay.h"

namespace {

constexpr uint32_t kFill = 0x00445566;
const OrvColour kGrey = OrvRGB(10, 20, 30);

std::vector<uint32_t> Area(const TestDisplay& display, const OrvRect& r) {
    std::vector<uint32_t> pixels;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) pixels.push_back(display.Pixel(x, y));
    return pixels;
}

// A row of the given colours in a 24-bit top-down image.
void MakeRow(OrvImage2& image, const std::vector<OrvColour>& colours) {
    image.Create(int(colours.size()), 1, 24, nullptr);
    for (size_t x = 0; x < colours.size(); ++x) ImageTest::Put(image, int(x), 0, colours[x]);
}

TEST(Draw, PlainStretchCopiesAndEnlargesByWholeFactors) {
    const OrvColour a = OrvRGB(255, 0, 0), b = OrvRGB(0, 255, 0), c = OrvRGB(0, 0, 255), d = OrvRGB(9, 9, 9);
    OrvImage2 image;
    image.Create(2, 2, 24, nullptr);
    ImageTest::Put(image, 0, 0, a);
    ImageTest::Put(image, 1, 0, b);
    ImageTest::Put(image, 0, 1, c);
    ImageTest::Put(image, 1, 1, d);
    TestDisplay display(8, 8, kFill);
    image.Draw(display.Dc(), OrvRect{1, 1, 5, 5}, OrvRect{0, 0, 2, 2}, kOrvNoColour, kOrvWhite, 0);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 6, 6}),
              (std::vector<uint32_t>{kFill, kFill, kFill, kFill, kFill, kFill,  //
                                     kFill, a,     a,     b,     b,     kFill,  //
                                     kFill, a,     a,     b,     b,     kFill,  //
                                     kFill, c,     c,     d,     d,     kFill,  //
                                     kFill, c,     c,     d,     d,     kFill,  //
                                     kFill, kFill, kFill, kFill, kFill, kFill}));
}

TEST(Draw, SourceRowsCountFromTheTopInEitherStoredOrder) {
    for (bool topDown : {true, false}) {
        OrvImage2 image;
        image.Create(1, 4, 24, nullptr);
        for (int y = 0; y < 4; ++y) ImageTest::Put(image, 0, y, OrvRGB(0, 0, 100 + y));
        if (!topDown) {
            ASSERT_TRUE(image.Resample(1, 4, 24));
        }
        ASSERT_EQ(image.IsTopDown(), topDown);
        for (int first = 0; first < 3; ++first) {
            TestDisplay display(1, 2, kFill);
            image.Draw(display.Dc(), OrvRect{0, 0, 1, 2}, OrvRect{0, first, 1, first + 2}, kOrvNoColour,
                       kOrvNoColour, 0);
            EXPECT_EQ(Area(display, OrvRect{0, 0, 1, 2}),
                      (std::vector<uint32_t>{OrvRGB(0, 0, 100 + first), OrvRGB(0, 0, 101 + first)}))
                << (topDown ? "top-down" : "bottom-up") << " from row " << first;
        }
    }
}

TEST(Draw, IndexedImagesPaintTheirTableColours) {
    OrvImage2 image;
    image.Create(3, 1, 4, nullptr);
    image.Info()->bmiColors[2] = OrvRgbQuad{30, 20, 10, 0};
    ImageTest::Put(image, 1, 0, 2);
    TestDisplay display(3, 1, kFill);
    image.Draw(display.Dc(), OrvRect{0, 0, 3, 1}, OrvRect{0, 0, 3, 1}, kOrvNoColour, kOrvNoColour, 0);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 3, 1}), (std::vector<uint32_t>{0, kGrey, 0}));
}

TEST(Draw, KeyAndNearKeyShowTheBackground) {
    const OrvColour nearKey = OrvRGB(250, 5, 250), farKey = OrvRGB(240, 0, 255), other = OrvRGB(1, 2, 3);
    OrvImage2 image;
    MakeRow(image, {kOrvMagenta, nearKey, farKey, kGrey, other});
    TestDisplay display(10, 1, kFill);
    image.Draw(display.Dc(), OrvRect{0, 0, 10, 1}, OrvRect{0, 0, 5, 1}, kOrvMagenta, kGrey, 8);
    // The background's own pixels move one step in blue, so they do not read as keyed.
    const OrvColour grey = OrvRGB(10, 20, 29);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 10, 1}),
              (std::vector<uint32_t>{kGrey, kGrey, kGrey, kGrey, farKey, farKey, grey, grey, other, other}));

    // A background without blue moves up instead; no background shows white.
    MakeRow(image, {OrvRGB(7, 7, 0), kOrvMagenta});
    image.Draw(display.Dc(), OrvRect{0, 0, 2, 1}, OrvRect{0, 0, 2, 1}, kOrvMagenta, OrvRGB(7, 7, 0), 0);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 2, 1}), (std::vector<uint32_t>{OrvRGB(7, 7, 1), OrvRGB(7, 7, 0)}));
    image.Draw(display.Dc(), OrvRect{0, 0, 2, 1}, OrvRect{0, 0, 2, 1}, kOrvMagenta, kOrvNoColour, 0);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 2, 1}), (std::vector<uint32_t>{OrvRGB(7, 7, 0), kOrvWhite}));
}

TEST(Draw, NoKeyOrAKeyEqualToTheBackgroundIsAPlainStretch) {
    OrvImage2 image;
    MakeRow(image, {kOrvMagenta, kGrey});
    TestDisplay display(2, 1, kFill);
    image.Draw(display.Dc(), OrvRect{0, 0, 2, 1}, OrvRect{0, 0, 2, 1}, kOrvNoColour, kOrvWhite, 255);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 2, 1}), (std::vector<uint32_t>{kOrvMagenta, kGrey}));
    image.Draw(display.Dc(), OrvRect{0, 0, 2, 1}, OrvRect{0, 0, 2, 1}, kGrey, kGrey, 255);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 2, 1}), (std::vector<uint32_t>{kOrvMagenta, kGrey}));
}

TEST(Draw, PaletteIndexKeysAreResolvedThroughTheTable) {
    OrvImage2 image;
    image.Create(2, 1, 8, nullptr);
    image.Info()->bmiColors[3] = OrvRgbQuad{0, 255, 0, 0};
    ImageTest::Put(image, 1, 0, 3);
    TestDisplay display(2, 1, kFill);
    image.Draw(display.Dc(), OrvRect{0, 0, 2, 1}, OrvRect{0, 0, 2, 1}, OrvPaletteIndex(3), kGrey, 0);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 2, 1}), (std::vector<uint32_t>{0, kGrey}));
}

TEST(Draw, AnEmptyDestinationPaintsNothing) {
    OrvImage2 image;
    image.Create(2000, 1, 8, nullptr);
    image.SetTransparent(0);
    TestDisplay display(4, 4, kFill);
    image.Draw(display.Dc(), OrvRect{0, 2, 4, 2}, OrvRect{0, 0, 2000, 1}, kOrvMagenta, kOrvWhite, 0);
    image.Draw(display.Dc(), OrvRect{0, 0, 0, 4}, OrvRect{0, 0, 2000, 1}, kOrvNoColour, kOrvWhite, 0);
    EXPECT_EQ(Area(display, OrvRect{0, 0, 4, 4}), std::vector<uint32_t>(16, kFill));
}

}  // namespace
