#include <gtest/gtest.h>

#include <cstring>
#include <new>

#include "ImageTestSupport.h"
#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/OrvPalette.h"

namespace {

TEST(OrvDIBBuffer, RowsArePaddedToWholeWords) {
    struct Case {
        int width, depth, stride;
    };
    for (Case c : {Case{3, 1, 4}, Case{3, 24, 12}, Case{9, 4, 8}, Case{5, 2, 4}, Case{33, 1, 8},
                   Case{1, 16, 4}, Case{0, 24, 0}}) {
        OrvDIBBuffer b;
        b.Create(c.width, 2, c.depth, nullptr);
        EXPECT_EQ(b.Stride(), c.stride) << c.width << " x " << c.depth;
        EXPECT_EQ(b.ImageSize(), 2 * c.stride);
        EXPECT_EQ(b.TotalSize(), b.HeaderSize() + b.ImageSize());
    }
    OrvDIBBuffer eight;
    eight.Create(1, 1, 8, nullptr);
    EXPECT_EQ(eight.HeaderSize(), 40 + 4 * 256);
}

TEST(OrvDIBBuffer, SizesBeyondInt32AreRefusedAndTheOldBlockKept) {
    OrvDIBBuffer b;
    b.Create(4, 4, 8, nullptr);
    OrvBitmapInfo* before = b.Info();
    // Each of these wraps in 32-bit arithmetic to a small block.
    EXPECT_THROW(b.Create(1000000, 1000000, 32, nullptr), std::bad_alloc);
    EXPECT_THROW(b.Create(0x40000000, 1, 32, nullptr), std::bad_alloc);
    EXPECT_THROW(b.Create(65500, -65500, 24, nullptr), std::bad_alloc);
    EXPECT_THROW(b.Create(-4, 4, 24, nullptr), std::bad_alloc);
    EXPECT_EQ(b.Info(), before);
    EXPECT_EQ(b.ImageSize(), 16);

    // A header whose table alone would not fit is refused too.
    OrvAutoPtr<OrvBitmapInfo> block(OrvAllocateBlock(44));
    block->bmiHeader.biSize = 40;
    block->bmiHeader.biWidth = 1;
    block->bmiHeader.biHeight = 1;
    block->bmiHeader.biBitCount = 8;
    block->bmiHeader.biClrUsed = 0x7FFFFFFF;
    EXPECT_THROW(b.Attach(block.Get()), std::bad_alloc);
    EXPECT_EQ(b.Info(), before);
}

TEST(OrvDIBBuffer, EightBitTablesComeFromThePaletteAndOneBitIsBlackAndWhite) {
    std::vector<OrvRgbQuad> sixteen(16, OrvRgbQuad{9, 9, 9, 0});
    OrvPalette palette(sixteen.data(), 16);
    OrvDIBBuffer b;
    b.Create(2, 2, 8, &palette);
    EXPECT_EQ(b.TableEntries(), 256);
    EXPECT_EQ(b.TableColour(15), OrvRGB(9, 9, 9));
    for (int i = 16; i < 256; ++i) ASSERT_EQ(b.TableColour(i), 0u) << i;

    OrvDIBBuffer mono;
    mono.Create(2, 2, 1, nullptr);
    EXPECT_EQ(mono.TableColour(0), 0u);
    EXPECT_EQ(mono.TableColour(1), kOrvWhite);
}

TEST(OrvDIBBuffer, LogicalRowsHideTheStoredOrder) {
    OrvDIBBuffer bottomUp;
    bottomUp.Create(2, 3, 24, nullptr);
    EXPECT_EQ(bottomUp.PixelAddress(0, 0), bottomUp.Bits() + 2 * bottomUp.Stride());
    EXPECT_EQ(bottomUp.PixelAddress(1, 2), bottomUp.Bits() + 3);
    OrvDIBBuffer topDown;
    topDown.Create(2, -3, 24, nullptr);
    EXPECT_EQ(topDown.PixelAddress(0, 0), topDown.Bits());
    EXPECT_EQ(topDown.PixelAddress(1, 2), topDown.Bits() + 2 * topDown.Stride() + 3);

    for (auto [x, y] : {std::pair{2, 0}, std::pair{0, 3}, std::pair{-1, 0}, std::pair{0, -1}})
        EXPECT_EQ(topDown.PixelAddress(x, y), nullptr) << x << "," << y;
    EXPECT_EQ(OrvDIBBuffer().PixelAddress(0, 0), nullptr);
}

TEST(OrvDIBBuffer, BitPositionsCountFromTheLeastSignificantEnd) {
    struct Case {
        int depth, x, byte, position;
    };
    for (Case c : {Case{1, 0, 0, 7}, Case{1, 9, 1, 6}, Case{2, 0, 0, 3}, Case{2, 6, 1, 1}, Case{4, 0, 0, 1},
                   Case{4, 5, 2, 0}, Case{8, 3, 3, 0}}) {
        OrvDIBBuffer b;
        b.Create(16, -1, c.depth, nullptr);
        int position = -1;
        EXPECT_EQ(b.PixelAddress(c.x, 0, &position), b.Bits() + c.byte) << c.depth << " " << c.x;
        EXPECT_EQ(position, c.position) << c.depth << " " << c.x;
    }
}

TEST(OrvDIBBuffer, AttachAdoptsViewsBorrowAndCopiesOwnTheirBlock) {
    OrvDIBBuffer source;
    source.Create(3, -2, 8, nullptr);
    ImageTest::Put(source, 2, 1, 77);

    OrvBitmapInfo* block = OrvAllocateBlock(source.TotalSize());
    std::memcpy(block, source.Info(), size_t(source.TotalSize()));
    {
        OrvDIBBuffer owner;
        owner.Attach(block);  // freed by owner (a leak or double free would show under ASan)
        EXPECT_TRUE(owner.OwnsInfo());
        EXPECT_EQ(owner.Bits(), reinterpret_cast<uint8_t*>(block) + owner.HeaderSize());
        EXPECT_EQ(ImageTest::Index(owner, 2, 1), 77u);
    }
    {
        OrvDIBBuffer view;
        view.AttachView(source.Info());
        EXPECT_FALSE(view.OwnsInfo());
        EXPECT_TRUE(view.IsPacked());
        OrvDIBBuffer copy;
        copy.CopyPacked(source.Info());
        EXPECT_NE(copy.Info(), source.Info());
        EXPECT_EQ(ImageTest::Index(copy, 2, 1), 77u);

        OrvDIBBuffer same;
        same.Create(3, -2, 8, nullptr);
        same.CopyBits(source);
        EXPECT_EQ(ImageTest::Index(same, 2, 1), 77u);
    }
    EXPECT_EQ(ImageTest::Index(source, 2, 1), 77u);  // the view left the block alone

    OrvImage2 image;
    image.Attach(OrvAllocateBlock(source.TotalSize()));
    OrvBitmapInfo* handedBack = image.Detach();
    EXPECT_TRUE(image.IsEmpty());
    EXPECT_EQ(image.GetWidth(), -1);
    OrvFreeBlock(handedBack);
}

TEST(OrvDIBBuffer, ExportIsBottomUpWithTheFullTable) {
    // A top-down 2 x 3 block whose table holds only the two colours in use.
    OrvBitmapInfo* block = OrvAllocateBlock(40 + 8 + 12);
    block->bmiHeader = OrvBitmapInfoHeader{40, 2, -3, 1, 8, 0, 0, 0, 0, 2, 0};
    block->bmiColors[1] = OrvRgbQuad{4, 5, 6, 0};
    OrvDIBBuffer b;
    b.Attach(block);
    for (int y = 0; y < 3; ++y) ImageTest::Put(b, 0, y, unsigned(10 + y));

    OrvSurface::GlobalBlock global = b.ExportPacked(0);
    ASSERT_NE(global, nullptr);
    ASSERT_GE(OrvSurface::GlobalBlockSize(global), size_t(40 + 1024 + 12));
    auto* bytes = static_cast<uint8_t*>(OrvSurface::GlobalLockBlock(global));
    OrvBitmapInfoHeader h;
    std::memcpy(&h, bytes, 40);
    EXPECT_EQ(h.biHeight, 3);
    // All 256 entries are written, so the header may no longer claim two.
    EXPECT_EQ(h.biClrUsed, 0u);
    EXPECT_EQ(bytes[40 + 4 + 2], 6);  // entry 1's red
    EXPECT_EQ(bytes[40 + 8], 0);      // entry 2 did not exist: black
    const uint8_t* rows = bytes + 40 + 1024;
    EXPECT_EQ(rows[0], 12);  // the bottom row first
    EXPECT_EQ(rows[4], 11);
    EXPECT_EQ(rows[8], 10);
    OrvSurface::GlobalUnlockBlock(global);
    OrvSurface::GlobalFreeBlock(global);
}

}  // namespace
