// Bitmap headers and colour values in the binary layout of the Windows structures, so
// that blocks built here can be handed to GDI and to the clipboard unchanged, while
// portable code never includes a Windows header.
#pragma once

#include <cstdint>

// A colour value laid out as the GDI COLORREF: red in bits 0-7, green 8-15, blue 16-23.
// 0x01000000 plus an index names a colour-table entry instead. In colour rows of 32-bit
// pixels, bits 24-31 carry alpha.
using OrvColour = uint32_t;

constexpr OrvColour kOrvNoColour = 0xFFFFFFFFu;  // "no colour given", the -1 of the callers
constexpr OrvColour kOrvMagenta = 0x00FF00FFu;   // the reserved key colour after conversions
constexpr OrvColour kOrvWhite = 0x00FFFFFFu;

constexpr OrvColour OrvRGB(unsigned r, unsigned g, unsigned b) {
    return OrvColour((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr unsigned OrvRed(OrvColour c) { return c & 0xFF; }
constexpr unsigned OrvGreen(OrvColour c) { return (c >> 8) & 0xFF; }
constexpr unsigned OrvBlue(OrvColour c) { return (c >> 16) & 0xFF; }
constexpr unsigned OrvAlpha(OrvColour c) { return c >> 24; }
constexpr OrvColour OrvPaletteIndex(unsigned index) { return 0x01000000u | (index & 0xFF); }
// Only the exact 0x01 tag counts, so "no colour" is never taken for an index.
constexpr bool OrvIsPaletteIndex(OrvColour c) { return (c >> 24) == 0x01; }

struct OrvRgbQuad {
    uint8_t rgbBlue;
    uint8_t rgbGreen;
    uint8_t rgbRed;
    uint8_t rgbReserved;
};

struct OrvRgbTriple {
    uint8_t rgbtBlue;
    uint8_t rgbtGreen;
    uint8_t rgbtRed;
};

struct OrvBitmapInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;  // positive: bottom-up rows; negative: top-down
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

// Header followed by its colour table; the table usually runs past the one declared entry.
struct OrvBitmapInfo {
    OrvBitmapInfoHeader bmiHeader;
    OrvRgbQuad bmiColors[1];
};

struct OrvBitmapCoreHeader {
    uint32_t bcSize;
    uint16_t bcWidth;
    uint16_t bcHeight;
    uint16_t bcPlanes;
    uint16_t bcBitCount;
};

struct OrvBitmapCoreInfo {
    OrvBitmapCoreHeader bmciHeader;
    OrvRgbTriple bmciColors[1];
};

// The platform's logical palette: version, count, then red, green, blue, flags entries.
struct OrvPaletteEntry {
    uint8_t peRed;
    uint8_t peGreen;
    uint8_t peBlue;
    uint8_t peFlags;
};

struct OrvLogPalette {
    uint16_t palVersion;
    uint16_t palNumEntries;
    OrvPaletteEntry palPalEntry[1];
};

static_assert(sizeof(OrvRgbQuad) == 4, "RGBQUAD layout");
static_assert(sizeof(OrvRgbTriple) == 3, "RGBTRIPLE layout");
static_assert(sizeof(OrvBitmapInfoHeader) == 40, "BITMAPINFOHEADER layout");
static_assert(sizeof(OrvBitmapInfo) == 44, "BITMAPINFO layout");
static_assert(sizeof(OrvBitmapCoreHeader) == 12, "BITMAPCOREHEADER layout");
static_assert(sizeof(OrvBitmapCoreInfo) == 16, "BITMAPCOREINFO layout");
static_assert(sizeof(OrvPaletteEntry) == 4, "PALETTEENTRY layout");
static_assert(sizeof(OrvLogPalette) == 8, "LOGPALETTE layout");

constexpr uint32_t kOrvBitFields = 3;  // biCompression: three colour masks follow the header

// Every header and packed block is one raw byte allocation of its own length. These are
// the only functions that make and free them, so that any owner can free any block.
OrvBitmapInfo* OrvAllocateBlock(int64_t bytes);  // zeroed; std::bad_alloc above INT_MAX
void OrvFreeBlock(void* block);                  // null is fine
