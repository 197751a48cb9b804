// Depth conversion, resampling and checkerboard flattening through the colour row.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "ImageTestSupport.h"
#include "OrvLib/image/OrvImage2.h"

namespace {

// Colours of the built-in palette whose channels are multiples of 8, so they survive
// 5-5-5 storage and map to their own index through the inverse map.
const OrvColour kExact[16] = {0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
                              0x101010, 0x181818, 0x202020, 0x282828, 0x383838, 0x404040, 0x484848, 0x505050};

OrvRgbQuad Quad(OrvColour c) {
    return OrvRgbQuad{uint8_t(OrvBlue(c)), uint8_t(OrvGreen(c)), uint8_t(OrvRed(c)), 0};
}

// A 5 x 2 picture (odd width: partly used bytes at low depths) in the given depth, whose
// pixel i shows kExact[i % colours]. Returns the colours expected when read back.
std::vector<uint32_t> MakeSource(OrvImage2& image, int depth, bool topDown) {
    const int colours = depth < 8 ? 1 << depth : 16;
    ImageTest::CreateImage(image, 5, 2, depth, topDown);
    for (int i = 0; i < colours && depth <= 8; ++i) image.Info()->bmiColors[i] = Quad(kExact[i]);
    std::vector<uint32_t> expected;
    for (int i = 0; i < 10; ++i) {
        OrvColour c = kExact[i % colours];
        ImageTest::Put(image, i % 5, i / 5, depth <= 8 ? unsigned(i % colours) : c);
        expected.push_back(c);
    }
    return expected;
}

TEST(ConvertDepth, EveryReadableDepthToEveryWritableDepth) {
    OrvPalette palette;
    palette.MakeDefault();
    for (int from : {1, 2, 4, 8, 16, 24, 32}) {
        for (int to : {8, 24, 32}) {
            for (bool topDown : {true, false}) {
                OrvImage2 source;
                std::vector<uint32_t> expected = MakeSource(source, from, topDown);
                OrvImage2 target;
                ASSERT_TRUE(target.ConvertDepth(to, &source, &palette));
                EXPECT_EQ(target.GetBitCount(), to);
                EXPECT_EQ(target.IsTopDown(), topDown) << "the source's row order is kept";
                EXPECT_EQ(ImageTest::Pixels(target), expected) << from << " -> " << to;
                if (to != 8) continue;
                for (int i = 0; i < 10; ++i)
                    ASSERT_EQ(ImageTest::Index(target, i % 5, i / 5),
                              unsigned(palette.IndexOf(expected[size_t(i)])));
            }
        }
    }
}

TEST(ConvertDepth, UnwritableDepthsStayZeroAndUnreadableOnesReadBlack) {
    OrvImage2 source;
    MakeSource(source, 24, true);
    for (int to : {1, 2, 4, 16}) {
        OrvImage2 target;
        ASSERT_TRUE(target.ConvertDepth(to, &source, nullptr));
        for (int i = 0; i < target.ImageSize(); ++i) ASSERT_EQ(target.Bits()[i], 0) << to;
    }
    OrvImage2 odd;  // 12 bits per pixel: no reader
    odd.Create(3, 2, 12, nullptr);
    std::memset(odd.Bits(), 0xAB, size_t(odd.ImageSize()));
    ASSERT_TRUE(odd.ConvertDepth(32));
    EXPECT_EQ(ImageTest::Pixels(odd, true), std::vector<uint32_t>(6, 0));
}

TEST(ConvertDepth, TableEntriesBecomeBlueGreenRedBytes) {
    OrvImage2 image;
    image.Create(2, 1, 8, nullptr);
    image.Info()->bmiColors[5] = OrvRgbQuad{10, 20, 30, 0};
    ImageTest::Put(image, 1, 0, 5);
    ASSERT_TRUE(image.ConvertDepth(32));
    const uint8_t* p = image.PixelAddress(1, 0);
    EXPECT_EQ((std::vector<int>{p[0], p[1], p[2], p[3]}), (std::vector<int>{10, 20, 30, 0}));
    EXPECT_FALSE(image.HasAlpha());
}

TEST(ConvertDepth, PaletteKeyBecomesAlphaAtThirtyTwoBits) {
    for (int depth : {1, 4, 8}) {
        OrvImage2 image;
        image.Create(3, 2, depth, nullptr);
        image.Info()->bmiColors[1] = OrvRgbQuad{10, 20, 30, 0};
        ImageTest::Put(image, 1, 0, 1);
        ImageTest::Put(image, 2, 1, 1);
        image.SetTransparent(1);  // as a palette PNG keys its one transparent entry
        ASSERT_TRUE(image.ConvertDepth(32));
        EXPECT_TRUE(image.HasAlpha()) << depth;
        EXPECT_FALSE(image.HasTransparent()) << depth;
        std::vector<int> alpha;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < 3; ++x) alpha.push_back(image.PixelAddress(x, y)[3]);
        EXPECT_EQ(alpha, (std::vector<int>{255, 0, 255, 255, 255, 0})) << depth;
        const uint8_t* keyed = image.PixelAddress(1, 0);
        EXPECT_EQ((std::vector<int>{keyed[0], keyed[1], keyed[2]}), (std::vector<int>{10, 20, 30})) << depth;
    }
    // A key at a lower depth keeps the magenta rule.
    OrvImage2 image;
    image.Create(2, 1, 8, nullptr);
    image.SetTransparent(0);
    ASSERT_TRUE(image.ConvertDepth(24));
    EXPECT_EQ(image.GetTransparent(), kOrvMagenta);
    EXPECT_FALSE(image.HasAlpha());
}

TEST(ConvertDepth, SixteenBitPixelsAreReadAsFiveFiveFive) {
    OrvImage2 image;
    image.Create(2, 1, 16, nullptr);
    uint8_t* p = image.Bits();
    p[0] = 0x00, p[1] = 0x7C;  // red field
    p[2] = 0x1F, p[3] = 0x00;  // blue field
    ASSERT_TRUE(image.ConvertDepth(32));
    const uint8_t* q = image.Bits();
    EXPECT_EQ((std::vector<int>(q, q + 8)), (std::vector<int>{0, 0, 248, 0, 248, 0, 0, 0}));
}

TEST(ConvertDepth, AlphaTravelsOnlyWithTheImagesFlag) {
    OrvImage2 image;
    image.Create(1, 1, 32, nullptr);
    ImageTest::Put(image, 0, 0, 0x80102030);
    OrvImage2 copy;
    ASSERT_TRUE(copy.ConvertDepth(32, &image));
    EXPECT_EQ(copy.Bits()[3], 0);
    copy.SetHasAlpha(true);
    ASSERT_TRUE(copy.ConvertDepth(32, &image));
    EXPECT_EQ(copy.Bits()[3], 0x80);
    EXPECT_FALSE(OrvImage2().ConvertDepth(32));  // nothing to convert
}

TEST(WriteRow, EightBitErrorRunsAlongTheRowAndStopsAtKeysAndRowEnds) {
    std::vector<OrvRgbQuad> entries{Quad(0), Quad(kOrvWhite), Quad(kOrvMagenta)};
    OrvPalette palette(entries.data(), 3);
    const OrvColour key = OrvRGB(1, 2, 3);
    OrvImage2 source;
    source.Create(6, 2, 24, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) ImageTest::Put(source, x, y, OrvRGB(128, 128, 128));
    ImageTest::Put(source, 3, 1, key);
    source.SetTransparent(key);

    OrvImage2 target;
    ASSERT_TRUE(target.ConvertDepth(8, &source, &palette));
    // 128 -> white leaves -127, 1 -> black leaves 1, 129 -> white leaves -126, ...
    std::vector<unsigned> rows[2];
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 6; ++x) rows[y].push_back(ImageTest::Index(target, x, y));
    EXPECT_EQ(rows[0], (std::vector<unsigned>{1, 0, 1, 0, 1, 0}));
    // The key takes the magenta entry and clears the carried error.
    EXPECT_EQ(rows[1], (std::vector<unsigned>{1, 0, 1, 2, 1, 0}));
    EXPECT_EQ(target.GetTransparent(), kOrvMagenta);
}

TEST(Resample, NearestNeighbourInBothDirections) {
    const OrvColour a = OrvRGB(1, 0, 0), b = OrvRGB(2, 0, 0), c = OrvRGB(3, 0, 0), d = OrvRGB(4, 0, 0);
    OrvImage2 row;
    row.Create(4, 1, 24, nullptr);
    for (int x = 0; x < 4; ++x) ImageTest::Put(row, x, 0, (std::vector<OrvColour>{a, b, c, d})[size_t(x)]);

    OrvImage2 narrow;
    ASSERT_TRUE(narrow.Resample(2, 1, 24, &row));
    EXPECT_EQ(ImageTest::Pixels(narrow), (std::vector<uint32_t>{a, c}));
    OrvImage2 wide;
    ASSERT_TRUE(wide.Resample(8, 1, 32, &row));
    EXPECT_EQ(ImageTest::Pixels(wide), (std::vector<uint32_t>{a, a, b, b, c, c, d, d}));
    OrvImage2 odd;
    ASSERT_TRUE(odd.Resample(3, 1, 24, &row));  // 0, 4/3, 8/3
    EXPECT_EQ(ImageTest::Pixels(odd), (std::vector<uint32_t>{a, b, c}));

    OrvImage2 column;
    column.Create(1, 4, 24, nullptr);
    for (int y = 0; y < 4; ++y) ImageTest::Put(column, 0, y, OrvRGB(0, y, 0));
    ASSERT_TRUE(column.Resample(1, 2, 24));
    EXPECT_EQ(ImageTest::Pixels(column), (std::vector<uint32_t>{OrvRGB(0, 0, 0), OrvRGB(0, 2, 0)}));
}

TEST(Resample, SameSizeGivesTheSamePixelsBottomUp) {
    OrvImage2 image;
    std::vector<uint32_t> expected = MakeSource(image, 24, true);
    image.SetTransparent(kOrvWhite);
    ASSERT_TRUE(image.Resample(5, 2, 24));
    EXPECT_EQ(image.GetHeight(), -2);
    EXPECT_EQ(ImageTest::Pixels(image), expected);
    EXPECT_EQ(image.GetTransparent(), kOrvMagenta);
}

TEST(Resample, IndexedTargetsTakeTheSourcesTableWhenGivenNone) {
    OrvImage2 image;
    std::vector<uint32_t> expected = MakeSource(image, 4, true);
    ASSERT_TRUE(image.Resample(5, 2, 8));
    EXPECT_EQ(ImageTest::Pixels(image), expected);
    EXPECT_EQ(ImageTest::Index(image, 4, 1), 9u);
}

TEST(CompositeChecker, RunsOfCellsAlternateAndAlphaBlendsTruncating) {
    std::vector<uint32_t> row(25, 0);  // fully transparent
    const OrvColour first = OrvRGB(10, 10, 10), second = OrvRGB(20, 20, 20);
    CompositeChecker(row.data(), 25, 10, first, second);
    for (int x = 0; x < 25; ++x) EXPECT_EQ(row[size_t(x)], x >= 10 && x < 20 ? second : first) << x;

    std::vector<uint32_t> blend{0x800000FF, 0xFF123456, 0x01FFFFFF};
    CompositeChecker(blend.data(), 3, 10, 0, 0);
    EXPECT_EQ(blend[0], OrvRGB(128, 0, 0));  // 255 x 128 / 255
    EXPECT_EQ(blend[1], 0x00123456u);
    EXPECT_EQ(blend[2], OrvRGB(1, 1, 1));               // 255 x 1 / 255
    uint32_t mixed = 0x40000000 | OrvRGB(10, 200, 40);  // each channel over its own
    CompositeChecker(&mixed, 1, 10, OrvRGB(100, 0, 250), 0);
    EXPECT_EQ(mixed, OrvRGB(77, 50, 197));  // (64 x pixel + 191 x background) / 255
}

TEST(FlattenOnChecker, BandsSwapEveryCellOfRows) {
    OrvImage2 image;
    image.Create(12, 12, 32, nullptr);
    image.SetHasAlpha(true);
    image.SetTransparent(OrvRGB(0, 0, 0));
    ImageTest::Put(image, 11, 11, 0xFF0000FF);  // one opaque red pixel
    const OrvColour first = OrvRGB(200, 200, 200), second = kOrvWhite;
    ASSERT_TRUE(image.FlattenOnChecker(24, 10, first, second));
    EXPECT_EQ(image.GetBitCount(), 24);
    EXPECT_TRUE(image.HasAlpha());
    EXPECT_EQ(image.GetTransparent(), kOrvMagenta);
    std::vector<uint32_t> top = ImageTest::Row(image, 9), bottom = ImageTest::Row(image, 10);
    EXPECT_EQ(top[0], first);
    EXPECT_EQ(top[10], second);
    EXPECT_EQ(bottom[0], second);
    EXPECT_EQ(bottom[10], first);
    EXPECT_EQ(ImageTest::Row(image, 11)[11], OrvRGB(255, 0, 0));
    EXPECT_FALSE(image.FlattenOnChecker(24, 0, first, second));
}

TEST(FitRect, KeepsTheAspectRatioFillingOneDirection) {
    OrvRect r{0, 0, 200, 200};
    FitRect(r, 100, 50, true);
    EXPECT_EQ(r, (OrvRect{0, 50, 200, 150}));
    r = OrvRect{0, 0, 200, 200};
    FitRect(r, 100, 50, false);
    EXPECT_EQ(r, (OrvRect{0, 0, 200, 100}));
    r = OrvRect{10, 10, 110, 60};  // 100 x 50 for a tall 30 x 90 picture
    FitRect(r, 30, 90, true);
    EXPECT_EQ(r, (OrvRect{52, 10, 68, 60}));  // 16 wide, moved right by 42
    r = OrvRect{0, 0, 106, 106};
    FitRect(r, 2000, 1, true);
    EXPECT_EQ(r, (OrvRect{0, 53, 106, 53}));  // fits to nothing, which callers must expect
    r = OrvRect{0, 0, 40, 40};
    FitRect(r, 0, 0, false);
    EXPECT_EQ(r, (OrvRect{0, 0, 0, 0}));
}

}  // namespace
