// Colour replacement and key masks.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ImageTestSupport.h"
#include "OrvLib/image/OrvMaskDIBBuffer.h"
#include "OrvLib/image/OrvPalette.h"

namespace {

std::vector<unsigned> Indices(const OrvDIBBuffer& b) {
    std::vector<unsigned> all;
    for (int y = 0; y < b.AbsHeight(); ++y)
        for (int x = 0; x < b.Width(); ++x) {
            int position = 0;
            const uint8_t* p = b.PixelAddress(x, y, &position);
            all.push_back(b.BitCount() == 4 ? (*p >> (4 * position)) & 15 : *p);
        }
    return all;
}

uint16_t Raw16(const OrvDIBBuffer& b, int x, int y) {
    const uint8_t* p = b.PixelAddress(x, y);
    return uint16_t(p[0] | p[1] << 8);
}

TEST(ReplaceColour, IndexedDepthsCompareTheLowByte) {
    OrvDIBBuffer four;
    four.Create(3, -1, 4, nullptr);
    ImageTest::Put(four, 0, 0, 5);
    ImageTest::Put(four, 1, 0, 5);
    ImageTest::Put(four, 2, 0, 2);
    four.ReplaceColour(5, 0x1F7);  // to: only the low nibble counts
    EXPECT_EQ(Indices(four), (std::vector<unsigned>{7, 7, 2}));

    OrvDIBBuffer eight;
    eight.Create(3, -1, 8, nullptr);
    ImageTest::Put(eight, 1, 0, 200);
    eight.ReplaceColour(OrvPaletteIndex(200), 0x1234);
    EXPECT_EQ(Indices(eight), (std::vector<unsigned>{0, 0x34, 0}));
}

TEST(ReplaceColour, TrueColourDepths) {
    OrvDIBBuffer rgb;
    rgb.Create(2, -1, 24, nullptr);
    ImageTest::Put(rgb, 0, 0, OrvRGB(1, 2, 3));
    ImageTest::Put(rgb, 1, 0, OrvRGB(1, 2, 4));
    rgb.ReplaceColour(OrvRGB(1, 2, 3), OrvRGB(9, 8, 7));
    EXPECT_EQ(ImageTest::Row(rgb, 0), (std::vector<uint32_t>{OrvRGB(9, 8, 7), OrvRGB(1, 2, 4)}));

    // 5-5-5 pixels are matched like the 15-bit key: the value's red against bits 0-4.
    OrvDIBBuffer packed;
    packed.Create(2, -1, 16, nullptr);
    uint8_t* p = packed.PixelAddress(0, 0);
    p[0] = 0x1F;               // bits 0-4 set
    p[2] = 0x1F, p[3] = 0x80;  // the same, with bit 15
    packed.ReplaceColour(OrvRGB(0xF8, 0, 0), OrvRGB(0, 0, 0xF8));
    EXPECT_EQ(Raw16(packed, 0, 0), 0x7C00);
    EXPECT_EQ(Raw16(packed, 1, 0), 0xFC00);

    OrvDIBBuffer wide;  // 32 bits is not among the depths handled
    wide.Create(1, -1, 32, nullptr);
    wide.ReplaceColour(0, kOrvWhite);
    EXPECT_EQ(ImageTest::Row(wide, 0)[0], 0u);
}

TEST(ReplaceMasked, SetsThePixelsWhoseMaskBitMatches) {
    OrvDIBBuffer source;  // keyed pixels at x = 1 and 3
    source.Create(4, 2, 24, nullptr);
    ImageTest::Put(source, 1, 0, kOrvMagenta);
    ImageTest::Put(source, 3, 1, kOrvMagenta);
    OrvMaskDIBBuffer mask;
    mask.BuildFromKey(source, kOrvMagenta);
    EXPECT_EQ(mask.BitAt(1, 0), 0);
    EXPECT_EQ(mask.BitAt(0, 0), 1);

    OrvDIBBuffer rgb;
    rgb.Create(4, 2, 24, nullptr);  // same bottom-up order as the mask
    rgb.ReplaceMasked(mask, 0, OrvRGB(1, 2, 3));
    EXPECT_EQ(ImageTest::Pixels(rgb),
              (std::vector<uint32_t>{0, OrvRGB(1, 2, 3), 0, 0, 0, 0, 0, OrvRGB(1, 2, 3)}));

    OrvDIBBuffer four;
    four.Create(4, 2, 4, nullptr);
    four.ReplaceMasked(mask, 1, 0xA);
    EXPECT_EQ(Indices(four), (std::vector<unsigned>{10, 0, 10, 10, 10, 10, 10, 0}));

    OrvDIBBuffer wrongSize;
    wrongSize.Create(3, 2, 8, nullptr);
    wrongSize.ReplaceMasked(mask, 1, 5);
    EXPECT_EQ(Indices(wrongSize), std::vector<unsigned>(6, 0));
}

TEST(ReplaceNear, SnapsTrueColoursWithinToleranceOfTheKey) {
    OrvDIBBuffer rgb;
    rgb.Create(5, -1, 32, nullptr);
    ImageTest::Put(rgb, 0, 0, 0x7FFA05F8);  // (248, 5, 250), alpha 0x7F
    ImageTest::Put(rgb, 1, 0, OrvRGB(255, 0, 255));
    ImageTest::Put(rgb, 2, 0, OrvRGB(247, 0, 255));  // red one step outside
    ImageTest::Put(rgb, 3, 0, OrvRGB(255, 8, 255));  // green one step outside
    ImageTest::Put(rgb, 4, 0, OrvRGB(250, 7, 248));
    EXPECT_EQ(rgb.ReplaceNear(kOrvMagenta, 7), kOrvNoColour);
    EXPECT_EQ(ImageTest::Row(rgb, 0, true),
              (std::vector<uint32_t>{0x7FFF00FF, kOrvMagenta, OrvRGB(247, 0, 255), OrvRGB(255, 8, 255),
                                     kOrvMagenta}));
}

TEST(ReplaceNear, IndexedImagesSnapThroughTheirTable) {
    std::vector<OrvRgbQuad> table{{0, 0, 0, 0}, {250, 5, 250, 0}, {255, 0, 255, 0}, {200, 0, 200, 0}};
    OrvPalette palette(table.data(), 4);
    OrvDIBBuffer eight;
    eight.Create(4, -1, 8, &palette);
    for (int x = 0; x < 4; ++x) ImageTest::Put(eight, x, 0, unsigned(x));
    // The colour becomes the nearest entry (2), whose own colour is the answer.
    EXPECT_EQ(eight.ReplaceNear(OrvRGB(254, 1, 254), 10), kOrvMagenta);
    EXPECT_EQ(Indices(eight), (std::vector<unsigned>{0, 2, 2, 3}));

    OrvDIBBuffer four;
    four.Create(4, -1, 4, nullptr);
    std::memcpy(four.Info()->bmiColors, table.data(), 16);
    for (int x = 0; x < 4; ++x) ImageTest::Put(four, x, 0, unsigned(x));
    EXPECT_EQ(four.ReplaceNear(OrvPaletteIndex(1), 5), OrvRGB(250, 5, 250));
    EXPECT_EQ(Indices(four), (std::vector<unsigned>{0, 1, 1, 3}));
    // An index past the table names nothing.
    EXPECT_EQ(four.ReplaceNear(OrvPaletteIndex(40), 255), kOrvNoColour);
    EXPECT_EQ(Indices(four), (std::vector<unsigned>{0, 1, 1, 3}));
}

TEST(BuildFromKey, EveryDepthComparesItsOwnWay) {
    std::vector<OrvRgbQuad> table{{0, 0, 0, 0}, {255, 0, 255, 0}, {255, 0, 255, 0}};
    OrvPalette palette(table.data(), 3);
    OrvDIBBuffer eight;
    eight.Create(3, -1, 8, &palette);
    for (int x = 0; x < 3; ++x) ImageTest::Put(eight, x, 0, unsigned(x));
    OrvMaskDIBBuffer mask;
    mask.BuildFromKey(eight, kOrvMagenta);  // by colour: both magenta entries
    EXPECT_EQ(mask.BitAt(0, 0), 1);
    EXPECT_EQ(mask.BitAt(1, 0), 0);
    EXPECT_EQ(mask.BitAt(2, 0), 0);
    mask.BuildFromKey(eight, OrvPaletteIndex(2));  // by index: only entry 2
    EXPECT_EQ(mask.BitAt(1, 0), 1);
    EXPECT_EQ(mask.BitAt(2, 0), 0);
    EXPECT_EQ(mask.TableColour(1), kOrvWhite);

    OrvDIBBuffer packed;  // the true 5-5-5 layout: red in bits 10-14
    packed.Create(2, 1, 16, nullptr);
    ImageTest::Put(packed, 0, 0, OrvRGB(248, 0, 8));
    ImageTest::Put(packed, 1, 0, OrvRGB(8, 0, 248));
    mask.BuildFromKey(packed, OrvRGB(248, 0, 8));
    EXPECT_EQ(mask.BitAt(0, 0), 0);
    EXPECT_EQ(mask.BitAt(1, 0), 1);
    EXPECT_FALSE(mask.IsTopDown());

    OrvDIBBuffer wide;
    wide.Create(2, 1, 32, nullptr);
    ImageTest::Put(wide, 1, 0, 0x80FF00FF);  // alpha does not take part
    mask.BuildFromKey(wide, kOrvMagenta);
    EXPECT_EQ(mask.BitAt(0, 0), 1);
    EXPECT_EQ(mask.BitAt(1, 0), 0);
}

}  // namespace
