// A device-independent bitmap in the GDI layout: a 40-byte header and colour table, then
// rows padded to 4 bytes. Pixels are blue-green-red(-alpha) at 24 and 32 bits, 5-5-5 at
// 16 bits (blue lowest), colour-table indices at 8 bits and below with the leftmost pixel
// in the most significant bits. A positive biHeight stores the bottom row first; all
// addressing here is by logical row, row 0 at the top, whatever the stored order.
//
// Sizes are computed in 64 bits: a header whose block would exceed INT_MAX bytes is
// refused with std::bad_alloc, like any failed allocation, and the buffer keeps what it
// held. Every block allocated here is packed (rows right after the table) and zeroed.
#pragma once

#include <cstdint>

#include "OrvLib/image/OrvBitmapTypes.h"
#include "OrvLib/platform/DrawingSurface.h"

class OrvMaskDIBBuffer;
class OrvPalette;

class OrvDIBBuffer {
public:
    OrvDIBBuffer() = default;
    ~OrvDIBBuffer();
    OrvDIBBuffer(const OrvDIBBuffer&) = delete;
    OrvDIBBuffer& operator=(const OrvDIBBuffer&) = delete;

    // height's sign sets the row order (negative: top-down). Depth 8 takes the palette's
    // entries, the rest black; depth 1 is black and white; depths 2 and 4 all black.
    void Create(int32_t width, int32_t height, int bitsPerPixel, const OrvPalette* palette);
    // A fresh zeroed packed block with a copy of header and colour table.
    void AllocateLike(const OrvBitmapInfo* header);
    // Adopts a packed block made by OrvAllocateBlock; the buffer frees it.
    void Attach(OrvBitmapInfo* block);
    // Refers to a packed block owned elsewhere.
    void AttachView(OrvBitmapInfo* block);
    // Refers to a header and rows held elsewhere.
    void AttachSeparate(OrvBitmapInfo* header, uint8_t* rows);
    // Owns a copy of a packed block.
    void CopyPacked(const OrvBitmapInfo* block);
    // Frees an owned block and holds nothing.
    void Empty();

    // The byte holding pixel (x, y), or null outside the bitmap. For depths 1, 2 and 4
    // *bitPosition is the pixel's place in the byte in pixels from the least significant
    // end; otherwise 0.
    uint8_t* PixelAddress(int x, int y, int* bitPosition = nullptr) const;
    uint8_t* RowAddress(int y) const { return PixelAddress(0, y); }

    int HeaderSize() const;
    int TotalSize() const { return HeaderSize() + imageSize; }
    // Copies the pixel rows of a buffer with the same header.
    void CopyBits(const OrvDIBBuffer& source);
    // A new global block with header, full colour table and rows, always bottom-up.
    OrvSurface::GlobalBlock ExportPacked(uint32_t allocationFlags) const;

    // Colour operations; each leaves depths it does not handle unchanged.
    void ReplaceColour(OrvColour from, OrvColour to);
    void ReplaceMasked(const OrvMaskDIBBuffer& mask, int value, OrvColour colour);
    // Snaps colours within tolerance of the key to the key; returns the key's colour when
    // the key is a palette index, else kOrvNoColour.
    OrvColour ReplaceNear(OrvColour colour, int tolerance);

    bool IsEmpty() const { return info == nullptr; }
    OrvBitmapInfo* Info() const { return info; }
    uint8_t* Bits() const { return bits; }
    int Stride() const { return stride; }
    int ImageSize() const { return imageSize; }
    bool OwnsInfo() const { return ownsInfo; }
    bool IsPacked() const { return packed; }
    int Width() const { return info ? info->bmiHeader.biWidth : 0; }
    int AbsHeight() const { return absHeight; }
    int BitCount() const { return info ? info->bmiHeader.biBitCount : 0; }
    bool IsTopDown() const { return info && info->bmiHeader.biHeight < 0; }
    // Entries of the colour table actually present.
    int TableEntries() const { return info ? ColourTableEntries(info->bmiHeader) : 0; }
    // The table entry as a colour value; kOrvNoColour outside the table.
    OrvColour TableColour(int index) const;

    // Fills the header and colour table that Create describes; header must have room for
    // 256 table entries.
    static void BuildHeader(OrvBitmapInfo* header, int32_t width, int32_t height, int bitsPerPixel,
                            const OrvPalette* palette);
    static int64_t StrideOf(int64_t width, int bitsPerPixel);
    static int64_t ColourTableEntries(const OrvBitmapInfoHeader& header);
    static int64_t HeaderSizeOf(const OrvBitmapInfoHeader& header);
    static int64_t ImageSizeOf(const OrvBitmapInfoHeader& header);

    // Takes over other's block and sizes, leaving other empty.
    void TakeFrom(OrvDIBBuffer& other);

protected:
    // Checks the header's sizes (throwing before anything changes), then frees an owned
    // block and takes the new one.
    void SetHeader(OrvBitmapInfo* newInfo, uint8_t* newBits, bool owns, bool isPacked);

    OrvBitmapInfo* info = nullptr;
    uint8_t* bits = nullptr;
    int32_t imageSize = 0;
    int32_t stride = 0;
    bool ownsInfo = false;
    bool packed = false;
    int32_t absHeight = 0;
};
