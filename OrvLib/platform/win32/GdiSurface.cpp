// The drawing surface on GDI.
#include <windows.h>

#include <cstring>
#include <vector>

#include "OrvLib/platform/DrawingSurface.h"

namespace {

HDC H(OrvSurface::DC dc) { return reinterpret_cast<HDC>(dc); }
HBITMAP H(OrvSurface::Bitmap b) { return reinterpret_cast<HBITMAP>(b); }
HPALETTE H(OrvSurface::Palette p) { return reinterpret_cast<HPALETTE>(p); }
HGLOBAL H(OrvSurface::GlobalBlock g) { return reinterpret_cast<HGLOBAL>(g); }

// Bytes of header, colour table and bit-field masks in front of the rows' description.
size_t DescriptionBytes(const BITMAPINFOHEADER& h) {
    size_t entries = h.biClrUsed != 0 ? h.biClrUsed : h.biBitCount <= 8 ? size_t(1) << h.biBitCount : 0;
    size_t masks = h.biCompression == BI_BITFIELDS ? 12 : 0;
    return h.biSize + 4 * entries + masks;
}

}  // namespace

namespace OrvSurface {

int DeviceBitsPerPixel(DC dc) { return GetDeviceCaps(H(dc), BITSPIXEL) * GetDeviceCaps(H(dc), PLANES); }

Bitmap MakeSection(const void* bitmapInfo, void** bits) {
    HDC screen = GetDC(nullptr);
    HBITMAP section = CreateDIBSection(screen, static_cast<const BITMAPINFO*>(bitmapInfo), DIB_RGB_COLORS,
                                       bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (section == nullptr) *bits = nullptr;
    return reinterpret_cast<Bitmap>(section);
}

void FreeSection(Bitmap section) {
    if (section != nullptr) DeleteObject(H(section));
}

DC MakeMemoryDC() { return reinterpret_cast<DC>(CreateCompatibleDC(nullptr)); }

void FreeMemoryDC(DC dc) {
    if (dc != nullptr) DeleteDC(H(dc));
}

Object SelectSection(DC dc, Bitmap section) {
    return reinterpret_cast<Object>(SelectObject(H(dc), H(section)));
}

void RestoreObject(DC dc, Object previous) {
    if (dc != nullptr && previous != nullptr) SelectObject(H(dc), reinterpret_cast<HGDIOBJ>(previous));
}

bool StretchBits(DC dc, const OrvRect& destination, const void* bitmapInfo, const void* bits,
                 const OrvRect& source) {
    const auto* header = static_cast<const BITMAPINFOHEADER*>(bitmapInfo);
    const LONG rows = header->biHeight < 0 ? -header->biHeight : header->biHeight;
    const bool topDown = header->biHeight < 0;
    const int previousMode = SetStretchBltMode(H(dc), COLORONCOLOR);
    int drawn;
    if (source.top >= 0 && source.bottom <= rows && source.Height() > 0) {
        // GDI measures the source origin from the bottom row, except that for a top-down
        // DIB an origin of 0 means the top. Handing it exactly the rows wanted, at origin 0,
        // means the same on every version.
        const size_t stride = (size_t(header->biWidth) * header->biBitCount + 31) / 32 * 4;
        const size_t firstStored = topDown ? size_t(source.top) : size_t(rows - source.bottom);
        std::vector<unsigned char> window(
            static_cast<const unsigned char*>(bitmapInfo),
            static_cast<const unsigned char*>(bitmapInfo) + DescriptionBytes(*header));
        auto* windowHeader = reinterpret_cast<BITMAPINFOHEADER*>(window.data());
        windowHeader->biHeight = topDown ? -source.Height() : source.Height();
        windowHeader->biSizeImage = 0;
        drawn = StretchDIBits(H(dc), destination.left, destination.top, destination.Width(),
                              destination.Height(), source.left, 0, source.Width(), source.Height(),
                              static_cast<const unsigned char*>(bits) + firstStored * stride,
                              reinterpret_cast<const BITMAPINFO*>(window.data()), DIB_RGB_COLORS, SRCCOPY);
    } else {
        // Partly outside the bitmap: GDI clips; its origin counts from the bottom row.
        drawn =
            StretchDIBits(H(dc), destination.left, destination.top, destination.Width(), destination.Height(),
                          source.left, rows - source.bottom, source.Width(), source.Height(), bits,
                          static_cast<const BITMAPINFO*>(bitmapInfo), DIB_RGB_COLORS, SRCCOPY);
    }
    if (previousMode != 0) SetStretchBltMode(H(dc), previousMode);
    // Section pixels are read directly after this; batched drawing must land first.
    GdiFlush();
    return drawn != 0 && drawn != static_cast<int>(GDI_ERROR);
}

bool CopyPixels(DC dc, const OrvRect& destination, DC source) {
    BOOL done = BitBlt(H(dc), destination.left, destination.top, destination.Width(), destination.Height(),
                       H(source), 0, 0, SRCCOPY);
    GdiFlush();
    return done != FALSE;
}

Palette MakePalette(const void* logPalette) {
    return reinterpret_cast<Palette>(CreatePalette(static_cast<const LOGPALETTE*>(logPalette)));
}

void FreePalette(Palette palette) {
    if (palette != nullptr) DeleteObject(H(palette));
}

Palette UsePalette(DC dc, Palette palette) {
    HPALETTE previous = SelectPalette(H(dc), H(palette), FALSE);
    RealizePalette(H(dc));
    return reinterpret_cast<Palette>(previous);
}

void RestorePalette(DC dc, Palette previous) {
    if (previous != nullptr) SelectPalette(H(dc), H(previous), FALSE);
}

GlobalBlock GlobalAllocate(uint32_t flags, size_t bytes) {
    return reinterpret_cast<GlobalBlock>(GlobalAlloc(flags, bytes));
}
void* GlobalLockBlock(GlobalBlock block) { return GlobalLock(H(block)); }
void GlobalUnlockBlock(GlobalBlock block) { GlobalUnlock(H(block)); }
void GlobalFreeBlock(GlobalBlock block) {
    if (block != nullptr) GlobalFree(H(block));
}
size_t GlobalBlockSize(GlobalBlock block) { return GlobalSize(H(block)); }

}  // namespace OrvSurface
