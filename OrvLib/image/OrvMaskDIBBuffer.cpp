#include "OrvLib/image/OrvMaskDIBBuffer.h"

#include "OrvLib/image/OrvPixelAccess.h"

using OrvPixel::IndexAt;

void OrvMaskDIBBuffer::BuildFromKey(const OrvDIBBuffer& source, OrvColour key) {
    if (source.IsEmpty()) {
        Empty();
        return;
    }
    Create(source.Width(), source.Info()->bmiHeader.biHeight, 1, nullptr);
    const int width = source.Width();
    const int depth = source.BitCount();
    const unsigned keyR = OrvRed(key), keyG = OrvGreen(key), keyB = OrvBlue(key);

    // Up to 8 bits, which indices are the key; an index outside the table never is.
    bool isKey[256] = {};
    if (depth <= 8) {
        for (int i = 0; i < 256; ++i) {
            if (OrvIsPaletteIndex(key)) {
                isKey[i] = unsigned(i) == (key & 0xFF);
            } else {
                OrvColour c = source.TableColour(i);
                isKey[i] = c != kOrvNoColour && (c & 0xFFFFFF) == (key & 0xFFFFFF);
            }
        }
    }

    for (int y = 0; y < AbsHeight(); ++y) {
        const uint8_t* in = source.RowAddress(y);
        uint8_t* out = RowAddress(y);
        for (int x = 0; x < width; ++x) {
            bool keyed;
            if (depth == 1 || depth == 2 || depth == 4 || depth == 8) {
                keyed = isKey[IndexAt(in, x, depth)];
            } else if (depth == 16) {
                keyed = OrvPixel::Colour555(OrvPixel::Load16(in + 2 * x)) == (key & 0xFFFFFF);
            } else if (depth == 24 || depth == 32) {
                const uint8_t* p = in + x * (depth / 8);
                keyed = p[2] == keyR && p[1] == keyG && p[0] == keyB;
            } else {
                keyed = false;
            }
            if (!keyed) out[x >> 3] |= uint8_t(0x80 >> (x & 7));
        }
    }
}

int OrvMaskDIBBuffer::BitAt(int x, int y) const {
    int position = 0;
    const uint8_t* p = PixelAddress(x, y, &position);
    return p != nullptr ? (*p >> position) & 1 : 0;
}
