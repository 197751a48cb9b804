// Row order, shifting and alpha operations of OrvImage2.
#include <gtest/gtest.h>

#include <vector>

#include "ImageTestSupport.h"
#include "OrvLib/image/OrvImage2.h"

namespace {

// A 1-pixel-wide 8-bit column whose rows hold 1, 2, 3, ... from the top.
void MakeColumn(OrvImage2& image, int height, bool topDown) {
    ImageTest::CreateImage(image, 1, height, 8, topDown);
    for (int y = 0; y < height; ++y) ImageTest::Put(image, 0, y, unsigned(y + 1));
}

std::vector<unsigned> Column(const OrvImage2& image) {
    std::vector<unsigned> values;
    for (int y = 0; y < image.AbsHeight(); ++y) values.push_back(ImageTest::Index(image, 0, y));
    return values;
}

TEST(OrvImage2, NewImagesAreEmptyAndCreateMakesTopDown) {
    OrvImage2 image;
    EXPECT_EQ(image.GetWidth(), -1);
    EXPECT_EQ(image.GetHeight(), -1);
    EXPECT_EQ(image.GetBitCount(), -1);
    EXPECT_FALSE(image.HasTransparent());
    EXPECT_FALSE(image.HasAlpha());
    EXPECT_EQ(image.GetDC(), nullptr);
    image.Create(5, 4, 24, nullptr);
    EXPECT_EQ(image.GetHeight(), 4);
    EXPECT_EQ(image.Info()->bmiHeader.biHeight, -4);
}

TEST(OrvImage2, MakeTopDownKeepsThePictureUpright) {
    for (int height : {3, 4, 1}) {
        OrvImage2 image;
        MakeColumn(image, height, false);
        ASSERT_EQ(image.GetHeight(), -height);
        std::vector<unsigned> before = Column(image);
        uint8_t* middleRow = image.Bits() + (height / 2) * image.Stride();
        unsigned middle = *middleRow;
        image.MakeTopDown();
        EXPECT_EQ(image.GetHeight(), height);
        EXPECT_EQ(Column(image), before);
        EXPECT_EQ(image.PixelAddress(0, 0), image.Bits());
        if (height % 2 == 1) {
            EXPECT_EQ(*middleRow, middle);  // the middle row did not move
        }
        image.MakeTopDown();  // already top-down: nothing changes
        EXPECT_EQ(image.GetHeight(), height);
        EXPECT_EQ(Column(image), before);
    }
}

TEST(OrvImage2, ShiftRowsMovesThePictureInEitherRowOrder) {
    for (bool topDown : {true, false}) {
        OrvImage2 image;
        MakeColumn(image, 5, topDown);
        image.ShiftRows(-2);  // up: rows 3, 4, 5 move to the top, the rest keep their values
        EXPECT_EQ(Column(image), (std::vector<unsigned>{3, 4, 5, 4, 5})) << topDown;
        MakeColumn(image, 5, topDown);
        image.ShiftRows(1);
        EXPECT_EQ(Column(image), (std::vector<unsigned>{1, 1, 2, 3, 4})) << topDown;
        MakeColumn(image, 5, topDown);
        image.ShiftRows(5);
        image.ShiftRows(-7);
        EXPECT_EQ(Column(image), (std::vector<unsigned>{1, 2, 3, 4, 5})) << topDown;
    }
}

TEST(OrvImage2, ShiftColumnsMovesWholePixels) {
    OrvImage2 image;
    image.Create(4, 2, 24, nullptr);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x) ImageTest::Put(image, x, y, OrvRGB(x + 1, y, 0));
    image.ShiftColumns(-1);
    EXPECT_EQ(ImageTest::Row(image, 1),
              (std::vector<uint32_t>{OrvRGB(2, 1, 0), OrvRGB(3, 1, 0), OrvRGB(4, 1, 0), OrvRGB(4, 1, 0)}));
    image.ShiftColumns(2);
    EXPECT_EQ(ImageTest::Row(image, 0),
              (std::vector<uint32_t>{OrvRGB(2, 0, 0), OrvRGB(3, 0, 0), OrvRGB(2, 0, 0), OrvRGB(3, 0, 0)}));
    std::vector<uint32_t> before = ImageTest::Pixels(image);
    image.ShiftColumns(4);
    image.ShiftColumns(-9);
    EXPECT_EQ(ImageTest::Pixels(image), before);

    OrvImage2 narrow;  // below 8 bits the operation is not defined: nothing moves
    narrow.Create(8, 1, 4, nullptr);
    ImageTest::Put(narrow, 0, 0, 9);
    narrow.ShiftColumns(1);
    EXPECT_EQ(*narrow.Bits(), 0x90);
}

TEST(OrvImage2, AlphaOperationsNeedThirtyTwoBitsWithAlpha) {
    OrvImage2 image;
    image.Create(3, 1, 32, nullptr);
    ImageTest::Put(image, 0, 0, 0x12FF00FF);
    ImageTest::Put(image, 1, 0, 0x34000001);
    ImageTest::Put(image, 2, 0, 0x56FF00FF);
    image.KeyToAlpha(kOrvMagenta);
    image.FillAlpha(9);
    EXPECT_EQ(ImageTest::Row(image, 0, true)[0], 0x12FF00FFu);  // no alpha flag: untouched

    image.SetHasAlpha(true);
    image.KeyToAlpha(kOrvMagenta);
    EXPECT_EQ(ImageTest::Row(image, 0, true), (std::vector<uint32_t>{0x00FF00FF, 0xFF000001, 0x00FF00FF}));
    image.FillAlpha(9);
    EXPECT_EQ(ImageTest::Row(image, 0, true)[1], 0x09000001u);

    OrvImage2 rgb;
    rgb.Create(1, 1, 24, nullptr);
    rgb.SetHasAlpha(true);
    ImageTest::Put(rgb, 0, 0, kOrvMagenta);
    rgb.KeyToAlpha(kOrvMagenta);
    rgb.FillAlpha(1);
    EXPECT_EQ(rgb.Bits()[3], 0);  // the padding after the only pixel
}

}  // namespace
