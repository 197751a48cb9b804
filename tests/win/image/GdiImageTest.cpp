// The image model's use of real GDI: palettes, sections and global memory.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "OrvLib/image/OrvDIBSection.h"
#include "OrvLib/image/OrvImage2.h"

namespace {

TEST(Gdi, PalettesMakeARealLogicalPalette) {
    OrvPalette palette;
    palette.MakeDefault();
    HPALETTE handle = reinterpret_cast<HPALETTE>(palette.GetHandle());
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(palette.GetHandle(), reinterpret_cast<OrvSurface::Palette>(handle));  // made once
    PALETTEENTRY entry{};
    ASSERT_EQ(GetPaletteEntries(handle, 253, 1, &entry), 1u);
    EXPECT_EQ(entry.peGreen, 0);
    EXPECT_EQ(entry.peRed, 255);
    EXPECT_EQ(entry.peBlue, 255);
    EXPECT_EQ(OrvPalette().GetHandle(), nullptr);
}

TEST(Gdi, SectionsAreTrueDibSectionsWithAContext) {
    OrvImage2 image;
    ASSERT_TRUE(image.CreateSection(3, 2, 24, nullptr, true));
    HDC dc = reinterpret_cast<HDC>(image.GetDC());
    ASSERT_NE(dc, nullptr);
    HBITMAP selected = static_cast<HBITMAP>(GetCurrentObject(dc, OBJ_BITMAP));
    DIBSECTION described{};
    ASSERT_EQ(GetObject(selected, sizeof described, &described), int(sizeof described));
    EXPECT_EQ(described.dsBm.bmBits, image.Bits());
    EXPECT_EQ(described.dsBmih.biWidth, 3);

    // GDI drawing into the context lands in the image's own rows.
    RECT r{0, 0, 3, 2};
    HBRUSH brush = CreateSolidBrush(RGB(10, 20, 30));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
    GdiFlush();
    const uint8_t* p = image.PixelAddress(2, 1);
    EXPECT_EQ(p[0], 30);
    EXPECT_EQ(p[2], 10);

    OrvDIBSection offscreen;
    ASSERT_TRUE(offscreen.Create(4, 4));
    EXPECT_GT(OrvSurface::DeviceBitsPerPixel(offscreen.GetDC()), 8);
}

TEST(Gdi, ExportGoesToMovableGlobalMemory) {
    OrvImage2 image;
    image.Create(2, 2, 24, nullptr);
    image.PixelAddress(0, 1)[2] = 200;  // red of the bottom-left pixel
    HGLOBAL global = reinterpret_cast<HGLOBAL>(image.ExportPacked(GMEM_MOVEABLE));
    ASSERT_NE(global, nullptr);
    auto* bytes = static_cast<const uint8_t*>(GlobalLock(global));
    ASSERT_NE(bytes, nullptr);
    BITMAPINFOHEADER h;
    std::memcpy(&h, bytes, sizeof h);
    EXPECT_EQ(h.biHeight, 2);
    EXPECT_EQ(bytes[40 + 2], 200);  // bottom row first
    GlobalUnlock(global);
    GlobalFree(global);
}

}  // namespace
