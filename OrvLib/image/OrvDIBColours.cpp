// Colour replacement on the pixels of an OrvDIBBuffer.
#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/image/OrvMaskDIBBuffer.h"
#include "OrvLib/image/OrvPalette.h"
#include "OrvLib/image/OrvPixelAccess.h"

using OrvPixel::Key555;
using OrvPixel::Load16;
using OrvPixel::Store16;

void OrvDIBBuffer::ReplaceColour(OrvColour from, OrvColour to) {
    const int depth = BitCount();
    const int width = Width();
    for (int y = 0; y < absHeight; ++y) {
        uint8_t* p = RowAddress(y);
        if (depth == 4) {
            const unsigned match = from & 0xFF, nibble = to & 0x0F;
            for (int i = 0; i < (width + 1) / 2; ++i) {
                if (unsigned(p[i] >> 4) == match) p[i] = uint8_t(nibble << 4 | (p[i] & 0x0F));
                if (unsigned(p[i] & 0x0F) == match) p[i] = uint8_t((p[i] & 0xF0) | nibble);
            }
        } else if (depth == 8) {
            for (int x = 0; x < width; ++x)
                if (p[x] == (from & 0xFF)) p[x] = uint8_t(to);
        } else if (depth == 16) {
            const uint16_t match = Key555(from), replacement = Key555(to);
            for (int x = 0; x < width; ++x) {
                uint16_t v = Load16(p + 2 * x);
                if ((v & 0x7FFF) == match) Store16(p + 2 * x, uint16_t((v & 0x8000) | replacement));
            }
        } else if (depth == 24) {
            for (int x = 0; x < width; ++x, p += 3) {
                if (p[0] == OrvBlue(from) && p[1] == OrvGreen(from) && p[2] == OrvRed(from)) {
                    p[0] = uint8_t(OrvBlue(to));
                    p[1] = uint8_t(OrvGreen(to));
                    p[2] = uint8_t(OrvRed(to));
                }
            }
        } else {
            return;
        }
    }
}

void OrvDIBBuffer::ReplaceMasked(const OrvMaskDIBBuffer& mask, int value, OrvColour colour) {
    const int depth = BitCount();
    const int width = Width();
    if (depth != 4 && depth != 8 && depth != 16 && depth != 24) return;
    // A mask of another size would be addressed out of bounds.
    if (mask.Width() != width || mask.AbsHeight() != absHeight || mask.BitCount() != 1) return;
    const uint16_t colour555 = Key555(colour);
    for (int y = 0; y < absHeight; ++y) {
        uint8_t* p = RowAddress(y);
        const uint8_t* m = mask.RowAddress(y);
        for (int x = 0; x < width; ++x) {
            if (((m[x >> 3] >> (7 - (x & 7))) & 1) != value) continue;
            if (depth == 4) {
                uint8_t& b = p[x / 2];
                b = (x & 1) == 0 ? uint8_t((colour & 0x0F) << 4 | (b & 0x0F))
                                 : uint8_t((b & 0xF0) | (colour & 0x0F));
            } else if (depth == 8) {
                p[x] = uint8_t(colour);
            } else if (depth == 16) {
                Store16(p + 2 * x, uint16_t((Load16(p + 2 * x) & 0x8000) | colour555));
            } else {
                p[3 * x] = uint8_t(OrvBlue(colour));
                p[3 * x + 1] = uint8_t(OrvGreen(colour));
                p[3 * x + 2] = uint8_t(OrvRed(colour));
            }
        }
    }
}

OrvColour OrvDIBBuffer::ReplaceNear(OrvColour colour, int tolerance) {
    if (info == nullptr) return kOrvNoColour;
    const int depth = BitCount();
    const int width = Width();
    if (!OrvIsPaletteIndex(colour) && (depth == 1 || depth == 4 || depth == 8)) {
        int index = OrvPalette(info).Nearest(colour);
        if (index < 0) return kOrvNoColour;
        colour = OrvPaletteIndex(unsigned(index));
    }
    OrvColour keyColour = colour;
    OrvColour result = kOrvNoColour;
    if (OrvIsPaletteIndex(colour)) {
        // An index outside the table names no colour: nothing to snap to.
        keyColour = TableColour(int(colour & 0xFF));
        if (keyColour == kOrvNoColour) return kOrvNoColour;
        result = keyColour;
    }

    auto low = [&](unsigned c) { return int(c) - tolerance < 0 ? 0 : int(c) - tolerance; };
    auto high = [&](unsigned c) { return int(c) + tolerance > 255 ? 255 : int(c) + tolerance; };
    const int rLow = low(OrvRed(keyColour)), rHigh = high(OrvRed(keyColour));
    const int gLow = low(OrvGreen(keyColour)), gHigh = high(OrvGreen(keyColour));
    const int bLow = low(OrvBlue(keyColour)), bHigh = high(OrvBlue(keyColour));
    auto near = [&](int r, int g, int b) {
        return r >= rLow && r <= rHigh && g >= gLow && g <= gHigh && b >= bLow && b <= bHigh;
    };

    if (depth == 4 || depth == 8) {
        bool snap[256] = {};
        for (int i = 0; i < 256; ++i) {
            OrvColour c = TableColour(i);
            snap[i] = c != kOrvNoColour && near(int(OrvRed(c)), int(OrvGreen(c)), int(OrvBlue(c)));
        }
        const uint8_t keyIndex = uint8_t(colour & 0xFF);
        for (int y = 0; y < absHeight; ++y) {
            uint8_t* p = RowAddress(y);
            if (depth == 8) {
                for (int x = 0; x < width; ++x)
                    if (snap[p[x]]) p[x] = keyIndex;
            } else {
                for (int i = 0; i < (width + 1) / 2; ++i) {
                    if (snap[p[i] >> 4]) p[i] = uint8_t((keyIndex & 0x0F) << 4 | (p[i] & 0x0F));
                    if (snap[p[i] & 0x0F]) p[i] = uint8_t((p[i] & 0xF0) | (keyIndex & 0x0F));
                }
            }
        }
    } else if (depth == 16) {
        const uint16_t key = Key555(keyColour);
        for (int y = 0; y < absHeight; ++y) {
            uint8_t* p = RowAddress(y);
            for (int x = 0; x < width; ++x) {
                uint16_t v = Load16(p + 2 * x);
                if (near((v & 31) << 3, (v >> 5 & 31) << 3, (v >> 10 & 31) << 3))
                    Store16(p + 2 * x, uint16_t((v & 0x8000) | key));
            }
        }
    } else if (depth == 24 || depth == 32) {
        const int step = depth / 8;
        for (int y = 0; y < absHeight; ++y) {
            uint8_t* p = RowAddress(y);
            for (int x = 0; x < width; ++x, p += step) {
                if (near(p[2], p[1], p[0])) {
                    p[0] = uint8_t(OrvBlue(keyColour));
                    p[1] = uint8_t(OrvGreen(keyColour));
                    p[2] = uint8_t(OrvRed(keyColour));
                }
            }
        }
    }
    return result;
}
