#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "OrvLib/image/readers/OrvImageLoad.h"
#include "product/dialog/ChooserPreview.h"

namespace {

constexpr OrvColour kFace = 0xCFCEC9;  // RGB(201, 206, 207) as a colour reference

std::string Corpus(const std::string& name) { return std::string(VARNEL_READER_CORPUS) + "/" + name; }

uint32_t BgrAt(const OrvImage2& image, int x, int y) {
    const uint8_t* p = image.PixelAddress(x, y);
    return uint32_t(p[0]) << 16 | uint32_t(p[1]) << 8 | p[2];  // as a colour reference
}

// The client area of a preview that shows a picture at its own size.
OrvSize ClientFor(const OrvImage2& image) { return OrvSize{image.GetWidth() + 4, image.GetHeight() + 4}; }

TEST(ChooserPreview, OpaquePicturesKeepTheirColoursAtTheFittedSize) {
    OrvImage2 source, shown;
    ASSERT_TRUE(LoadImageFile(Corpus("png_rgb_8.png"), source, true));
    source.MakeTopDown();
    ASSERT_TRUE(PrepareChooserPreview(Corpus("png_rgb_8.png"), ClientFor(source), kFace, shown));
    EXPECT_EQ(shown.GetWidth(), source.GetWidth());
    EXPECT_EQ(shown.GetHeight(), source.GetHeight());
    EXPECT_EQ(shown.GetBitCount(), 24);
    for (int y = 0; y < source.GetHeight(); ++y)
        for (int x = 0; x < source.GetWidth(); ++x) ASSERT_EQ(BgrAt(shown, x, y), BgrAt(source, x, y)) << x;

    // Twice the room: twice the size, the aspect kept.
    ASSERT_TRUE(PrepareChooserPreview(Corpus("png_rgb_8.png"), OrvSize{2 * 19 + 4, 100}, kFace, shown));
    EXPECT_EQ(shown.GetWidth(), 38);
    EXPECT_EQ(shown.GetHeight(), 22);
}

TEST(ChooserPreview, TransparentAndKeyedPixelsShowTheFaceColour) {
    int clear = 0;
    for (const char* file : {"png_rgba_8.png", "png_palette_trns_single.png", "png_grey_8_trns.png"}) {
        SCOPED_TRACE(file);
        OrvImage2 source, shown;
        ASSERT_TRUE(LoadImageFile(Corpus(file), source, true));
        source.MakeTopDown();
        ASSERT_TRUE(PrepareChooserPreview(Corpus(file), ClientFor(source), kFace, shown));
        ASSERT_EQ(shown.GetBitCount(), 24);
        // Where the source is clear the preview is the face; where it is solid, the picture.
        OrvImage2 alpha;
        alpha.SetHasAlpha(true);  // a conversion carries alpha only into an image that has it
        ASSERT_TRUE(alpha.ConvertDepth(32, &source));
        if (source.HasTransparent()) alpha.KeyToAlpha(alpha.GetTransparent());
        int solid = 0;
        for (int y = 0; y < source.GetHeight(); ++y) {
            for (int x = 0; x < source.GetWidth(); ++x) {
                const uint8_t a = alpha.PixelAddress(x, y)[3];
                if (a == 0) {
                    ++clear;
                    EXPECT_EQ(BgrAt(shown, x, y), kFace) << x << "," << y;
                } else if (a == 255) {
                    ++solid;
                    EXPECT_EQ(BgrAt(shown, x, y), BgrAt(alpha, x, y)) << x << "," << y;
                }
            }
        }
        EXPECT_GT(solid, 0);
    }
    EXPECT_GT(clear, 0);
}

TEST(ChooserPreview, UnreadableFilesAndPicturesThinnerThanAPixelShowNothing) {
    OrvImage2 shown;
    ASSERT_TRUE(PrepareChooserPreview(Corpus("png_rgb_8.png"), OrvSize{60, 40}, kFace, shown));
    EXPECT_FALSE(PrepareChooserPreview(Corpus("bad_png_no_iend.png"), OrvSize{60, 40}, kFace, shown));
    EXPECT_EQ(shown.GetWidth(), -1) << "the previous picture is gone";
    EXPECT_FALSE(PrepareChooserPreview(Corpus("missing.png"), OrvSize{60, 40}, kFace, shown));
    // 19 x 11 into a box one pixel wide is 1 x 0.
    EXPECT_FALSE(PrepareChooserPreview(Corpus("png_rgb_8.png"), OrvSize{5, 40}, kFace, shown));
}

}  // namespace

namespace {

TEST(ChooserPreview, ThumbnailsShowTransparencyOverGreyAndWhiteSquares) {
    int clear = 0;
    for (const char* file : {"png_rgb_trns.png", "png_palette_trns_two.png", "png_greyalpha_8.png"}) {
        SCOPED_TRACE(file);
        OrvImage2 source, alpha, thumb;
        ASSERT_TRUE(LoadImageFile(Corpus(file), source, true));
        source.MakeTopDown();
        alpha.SetHasAlpha(true);
        ASSERT_TRUE(alpha.ConvertDepth(32, &source));
        ASSERT_TRUE(PrepareThumbnail(Corpus(file), OrvSize{19, 11}, thumb));
        EXPECT_EQ(thumb.GetBitCount(), 24);
        for (int y = 0; y < 11; ++y) {
            for (int x = 0; x < 19; ++x) {
                if (alpha.PixelAddress(x, y)[3] != 0) continue;
                ++clear;
                // Squares of 10: grey where (x / 10 + y / 10) is even, white elsewhere.
                const uint32_t expected = ((x / 10 + y / 10) % 2 == 0) ? 0xC0C0C0u : 0xFFFFFFu;
                EXPECT_EQ(BgrAt(thumb, x, y), expected) << x << "," << y;
            }
        }
    }
    EXPECT_GT(clear, 0);
}

}  // namespace
