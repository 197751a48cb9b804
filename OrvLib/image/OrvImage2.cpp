#include "OrvLib/image/OrvImage2.h"

#include <climits>
#include <cstring>
#include <new>

#include "OrvLib/image/OrvAutoPtr.h"
#include "OrvLib/image/OrvDIBSection.h"

OrvImage2::OrvPalettePlus::OrvPalettePlus() {
    MakeDefault();
    BuildInverseMapExcept(IndexOf(kOrvMagenta));
}

OrvImage2::OrvPalettePlus& OrvImage2::SharedPalette() {
    static OrvPalettePlus palette;
    return palette;
}

OrvImage2::OrvImage2() { SharedPalette(); }

OrvImage2::~OrvImage2() { Release(); }

void OrvImage2::FreeSection() {
    OrvSectionParts parts{section, dc, previousObject, bits};
    OrvFreeSectionParts(parts);
    section = nullptr;
    dc = nullptr;
    previousObject = nullptr;
}

void OrvImage2::Release() {
    FreeSection();
    Empty();
}

void OrvImage2::Adopt(OrvDIBBuffer& fresh) {
    FreeSection();
    TakeFrom(fresh);
}

void OrvImage2::Create(int32_t width, int32_t height, int bitsPerPixel, OrvPalette* palette) {
    OrvDIBBuffer fresh;
    fresh.Create(width, -height, bitsPerPixel, palette);
    Adopt(fresh);
}

bool OrvImage2::CreateSection(int32_t width, int32_t height, int bitsPerPixel, OrvPalette* palette,
                              bool withDC) {
    if (bitsPerPixel == 8 && palette == nullptr) palette = &SharedPalette();
    alignas(OrvBitmapInfo) unsigned char header[40 + 256 * 4];
    auto* h = reinterpret_cast<OrvBitmapInfo*>(header);
    BuildHeader(h, width, -height, bitsPerPixel, palette);
    int64_t headerSize = HeaderSizeOf(h->bmiHeader);
    int64_t imageBytes = ImageSizeOf(h->bmiHeader);
    if (imageBytes < 0 || headerSize + imageBytes > INT_MAX) throw std::bad_alloc();
    OrvAutoPtr<OrvBitmapInfo> copy(OrvAllocateBlock(headerSize));
    std::memcpy(copy.Get(), h, size_t(headerSize));

    OrvSectionParts parts;
    if (!OrvMakeSectionParts(copy.Get(), withDC, parts)) return false;
    Release();
    SetHeader(copy.Release(), parts.bits, true, false);
    section = parts.section;
    dc = parts.dc;
    previousObject = parts.previous;
    return true;
}

void OrvImage2::Attach(OrvBitmapInfo* block) {
    OrvDIBBuffer fresh;
    fresh.Attach(block);
    Adopt(fresh);
}

OrvBitmapInfo* OrvImage2::Detach() {
    if (!ownsInfo || !packed || section != nullptr) return nullptr;
    OrvBitmapInfo* block = info;
    ownsInfo = false;
    Empty();
    return block;
}

void OrvImage2::MakeTopDown() {
    if (info == nullptr || info->bmiHeader.biHeight <= 0) return;
    OrvAutoArrayPtr<uint8_t> scratch(new uint8_t[size_t(stride > 0 ? stride : 1)]);
    // Swapping stored rows i and h-1-i turns the storage order around; the middle row of
    // an odd height stays where it is.
    for (int i = 0; i < absHeight / 2; ++i) {
        uint8_t* a = bits + int64_t(i) * stride;
        uint8_t* b = bits + int64_t(absHeight - 1 - i) * stride;
        std::memcpy(scratch.Get(), a, size_t(stride));
        std::memcpy(a, b, size_t(stride));
        std::memcpy(b, scratch.Get(), size_t(stride));
    }
    info->bmiHeader.biHeight = -info->bmiHeader.biHeight;
}

void OrvImage2::ShiftRows(int n) {
    const int64_t m = n < 0 ? -int64_t(n) : n;
    if (info == nullptr || m >= absHeight || m == 0) return;
    // In stored order the move runs the other way for a bottom-up image.
    const bool towardStart = (n < 0) == IsTopDown();
    const size_t bytes = size_t(absHeight - m) * size_t(stride);
    const size_t offset = size_t(m) * size_t(stride);
    if (towardStart)
        std::memmove(bits, bits + offset, bytes);
    else
        std::memmove(bits + offset, bits, bytes);
}

void OrvImage2::ShiftColumns(int n) {
    const int64_t m = n < 0 ? -int64_t(n) : n;
    const int depth = BitCount();
    if (info == nullptr || depth < 8 || m >= Width() || m == 0) return;
    const size_t pixelBytes = size_t(depth / 8);
    const size_t bytes = size_t(Width() - m) * pixelBytes;
    const size_t offset = size_t(m) * pixelBytes;
    for (int y = 0; y < absHeight; ++y) {
        uint8_t* row = RowAddress(y);
        if (n < 0)
            std::memmove(row, row + offset, bytes);
        else
            std::memmove(row + offset, row, bytes);
    }
}

void OrvImage2::FillAlpha(uint8_t alpha) {
    if (!hasAlpha || BitCount() != 32) return;
    for (int y = 0; y < absHeight; ++y) {
        uint8_t* p = RowAddress(y);
        for (int x = 0; x < Width(); ++x) p[4 * x + 3] = alpha;
    }
}

void OrvImage2::KeyToAlpha(OrvColour key) {
    if (!hasAlpha || BitCount() != 32) return;
    for (int y = 0; y < absHeight; ++y) {
        uint8_t* p = RowAddress(y);
        for (int x = 0; x < Width(); ++x, p += 4) {
            bool keyed = p[0] == OrvBlue(key) && p[1] == OrvGreen(key) && p[2] == OrvRed(key);
            p[3] = keyed ? 0 : 255;
        }
    }
}
