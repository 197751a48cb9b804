#include "OrvLib/image/readers/OrvRunLength.h"

#include "OrvLib/image/OrvDIBBuffer.h"

namespace {

// The write position as (column, row) so that no escape can move it outside the bitmap
// unnoticed: rows count down from the bottom, columns may run past the width and are
// then clipped.
class RunWriter {
public:
    RunWriter(OrvDIBBuffer& initialTarget, int bitsPerPixel)
        : target(initialTarget),
          width(initialTarget.Width()),
          row(initialTarget.AbsHeight() - 1),
          nibbles(bitsPerPixel == 4) {}

    bool Inside() const { return row >= 0 && width > 0; }
    void Put(unsigned index) {
        if (column < width) {
            uint8_t* p = target.RowAddress(int(row)) + (nibbles ? column / 2 : column);
            if (!nibbles)
                *p = uint8_t(index);
            else if (column % 2 == 0)
                *p = uint8_t((*p & 0x0F) | (index & 0x0F) << 4);
            else
                *p = uint8_t((*p & 0xF0) | (index & 0x0F));
        }
        ++column;
    }
    void NextLine() {
        --row;
        column = 0;
    }
    void Move(unsigned dx, unsigned dy) {
        column += dx;
        row -= dy;
    }

private:
    OrvDIBBuffer& target;
    int64_t width;
    int64_t row;
    int64_t column = 0;
    bool nibbles;
};

// Both forms share the escapes; they differ in how a run's colour byte and an absolute
// run's bytes turn into pixels.
void Decode(const uint8_t* data, size_t count, OrvDIBBuffer& target, int bitsPerPixel) {
    const bool nibbles = bitsPerPixel == 4;
    RunWriter out(target, bitsPerPixel);
    size_t at = 0;
    while (out.Inside() && count - at >= 2) {
        const unsigned n = data[at];
        const unsigned value = data[at + 1];
        at += 2;
        if (n > 0) {
            for (unsigned i = 0; i < n; ++i)
                out.Put(!nibbles ? value : (i % 2 == 0 ? value >> 4 : value & 0x0F));
        } else if (value == 0) {
            out.NextLine();
        } else if (value == 1) {
            return;
        } else if (value == 2) {
            if (count - at < 2) return;
            out.Move(data[at], data[at + 1]);
            at += 2;
        } else {
            const size_t bytes = nibbles ? (value + 1) / 2 : value;
            // Too short a remainder: only the two code bytes are taken, as before.
            if (count - at < bytes) continue;
            for (unsigned i = 0; i < value; ++i) {
                const unsigned b = data[at + (nibbles ? i / 2 : i)];
                out.Put(!nibbles ? b : (i % 2 == 0 ? b >> 4 : b & 0x0F));
            }
            // Absolute runs are padded to a 16-bit boundary.
            at += bytes + (bytes % 2 != 0 && count - at > bytes ? 1 : 0);
        }
    }
}

}  // namespace

void DecodeRLE8(const uint8_t* data, size_t count, OrvDIBBuffer& target) {
    if (target.BitCount() == 8) Decode(data, count, target, 8);
}

void DecodeRLE4(const uint8_t* data, size_t count, OrvDIBBuffer& target) {
    if (target.BitCount() == 4) Decode(data, count, target, 4);
}
