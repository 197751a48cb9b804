// Small helpers for building and reading test pictures pixel by pixel.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/OrvPixelRows.h"

namespace ImageTest {

// Writes a colour-table index at depths 1 to 8, or a colour value at 16, 24 and 32 bits
// (16 bits in the stored 5-5-5 layout; alpha goes to byte 3 at 32 bits).
inline void Put(OrvDIBBuffer& b, int x, int y, uint32_t value) {
    int position = 0;
    uint8_t* p = b.PixelAddress(x, y, &position);
    const int depth = b.BitCount();
    if (depth < 8) {
        const unsigned mask = (1u << depth) - 1;
        const int shift = position * depth;
        *p = uint8_t((*p & ~(mask << shift)) | ((value & mask) << shift));
    } else if (depth == 8) {
        *p = uint8_t(value);
    } else if (depth == 16) {
        unsigned v = (OrvBlue(value) >> 3) | (OrvGreen(value) >> 3) << 5 | (OrvRed(value) >> 3) << 10;
        p[0] = uint8_t(v);
        p[1] = uint8_t(v >> 8);
    } else {
        p[0] = uint8_t(OrvBlue(value));
        p[1] = uint8_t(OrvGreen(value));
        p[2] = uint8_t(OrvRed(value));
        if (depth == 32) p[3] = uint8_t(OrvAlpha(value));
    }
}

inline std::vector<uint32_t> Row(const OrvDIBBuffer& b, int y, bool alpha = false) {
    std::vector<uint32_t> row(size_t(b.Width()), 0);
    ReadRow(b, y, row.data(), alpha);
    return row;
}

// Every pixel as a colour value, rows from the top.
inline std::vector<uint32_t> Pixels(const OrvDIBBuffer& b, bool alpha = false) {
    std::vector<uint32_t> all;
    for (int y = 0; y < b.AbsHeight(); ++y) {
        std::vector<uint32_t> row = Row(b, y, alpha);
        all.insert(all.end(), row.begin(), row.end());
    }
    return all;
}

// An image in either stored row order (Create makes only top-down ones), zeroed, with
// the colour table that OrvDIBBuffer::Create gives.
inline void CreateImage(OrvImage2& image, int width, int height, int depth, bool topDown) {
    OrvDIBBuffer fresh;
    fresh.Create(width, topDown ? -height : height, depth, nullptr);
    OrvBitmapInfo* block = OrvAllocateBlock(fresh.TotalSize());
    std::memcpy(block, fresh.Info(), size_t(fresh.TotalSize()));
    image.Attach(block);
}

// The raw byte of pixel (x, y) at depth 8.
inline unsigned Index(const OrvDIBBuffer& b, int x, int y) { return *b.PixelAddress(x, y); }

}  // namespace ImageTest
