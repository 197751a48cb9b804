// Small pixel helpers shared by the image model's row loops (not part of its interface).
#pragma once

#include <cstdint>

#include "OrvLib/image/OrvBitmapTypes.h"

namespace OrvPixel {

// The colour-table index of pixel x in a row of 1, 2, 4 or 8 bits per pixel.
inline unsigned IndexAt(const uint8_t* row, int x, int depth) {
    if (depth == 8) return row[x];
    int perByte = 8 / depth;
    int shift = (perByte - 1 - x % perByte) * depth;
    return (row[x / perByte] >> shift) & ((1u << depth) - 1);
}

// The colour-replacement operations treat a 5-5-5 pixel like the 15-bit key: the value's
// red in bits 0-4, green 5-9, blue 10-14.
inline uint16_t Key555(OrvColour c) {
    return uint16_t((OrvRed(c) >> 3) | (OrvGreen(c) >> 3) << 5 | (OrvBlue(c) >> 3) << 10);
}

// A 5-5-5 pixel read in its stored layout: blue bits 0-4, green 5-9, red 10-14.
inline OrvColour Colour555(uint16_t p) {
    return OrvRGB((p >> 10 & 31) << 3, (p >> 5 & 31) << 3, (p & 31) << 3);
}

inline uint16_t Load16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
inline void Store16(uint8_t* p, uint16_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
}

}  // namespace OrvPixel
