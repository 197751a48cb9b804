#include "OrvLib/image/OrvDitherer.h"

#include <cstring>

#include "OrvLib/image/OrvDIBBuffer.h"
#include "OrvLib/image/OrvPalette.h"
#include "OrvLib/image/OrvPixelRows.h"

OrvDitherer::OrvDitherer(OrvPalette& palette, OrvProgressSink* sink)
    : inverseMap(palette.GetInverseMap()), progress(sink) {
    if (palette.GetColours() != nullptr) {
        colourCount = palette.GetCount();
        std::memcpy(colours, palette.GetColours(), sizeof(OrvRgbQuad) * size_t(colourCount));
    }
    // Truncating division throughout; whatever 1/16, 3/16 and 5/16 leave is the 7/16.
    for (int e = -kMaxError; e <= kMaxError; ++e) {
        int e1 = (e + 8) / 16;
        int rest = e - e1;
        int e3 = (2 * rest + 5) / 10;
        rest -= e3;
        int e5 = (5 * rest + 6) / 12;
        int e7 = rest - e5;
        shares[e + kMaxError] = Shares{int16_t(e1), int16_t(e3), int16_t(e5), int16_t(e7)};
    }
}

OrvDitherer::~OrvDitherer() {
    delete[] errors;
    delete[] colourRow;
}

void OrvDitherer::Reserve(int width) {
    if (width <= capacity) return;
    // One spare pixel at each end takes the errors that fall off the row.
    int16_t* newErrors = new int16_t[2 * (size_t(width) * 3 + 6)];
    uint32_t* newRow;
    try {
        newRow = new uint32_t[size_t(width > 0 ? width : 1)]();
    } catch (...) {
        delete[] newErrors;
        throw;
    }
    delete[] errors;
    delete[] colourRow;
    errors = newErrors;
    colourRow = newRow;
    capacity = width;
}

bool OrvDitherer::Convert(const OrvBitmapInfo* sourceHeader, const OrvBitmapInfo* targetHeader,
                          const uint8_t* sourceRows, uint8_t* targetRows, const OrvRect* sourceRect,
                          const OrvRect* targetRect) {
    if (sourceHeader == nullptr || targetHeader == nullptr) return false;
    // The views only read the source; the header and rows stay the caller's.
    OrvDIBBuffer source, target;
    source.AttachSeparate(const_cast<OrvBitmapInfo*>(sourceHeader), const_cast<uint8_t*>(sourceRows));
    target.AttachSeparate(const_cast<OrvBitmapInfo*>(targetHeader), targetRows);
    return Convert(source, target, sourceRect, targetRect);
}

bool OrvDitherer::Convert(const OrvDIBBuffer& source, OrvDIBBuffer& target, const OrvRect* sourceRect,
                          const OrvRect* targetRect) {
    if (sourceRect != nullptr || targetRect != nullptr) return false;
    if (source.IsEmpty() || target.IsEmpty() || target.BitCount() != 8 || inverseMap == nullptr) return false;
    const int width = source.Width();
    const int height = source.AbsHeight();
    if (target.Width() != width || target.AbsHeight() != height) return false;

    Reserve(width);
    const size_t rowValues = size_t(width) * 3 + 6;
    int16_t* current = errors;
    int16_t* next = errors + rowValues;
    std::memset(errors, 0, 2 * rowValues * sizeof(int16_t));
    const bool topDown = source.IsTopDown();

    for (int stored = 0; stored < height; ++stored) {
        if (progress != nullptr) progress->Progress(stored * 100 / height);
        const int y = topDown ? stored : height - 1 - stored;
        ReadRow(source, y, colourRow, false);
        uint8_t* out = target.RowAddress(y);
        for (int x = 0; x < width; ++x) {
            const uint32_t v = colourRow[x];
            int16_t* here = current + 3 * (x + 1);  // blue, green, red
            int channel[3] = {int(OrvBlue(v)) + here[0], int(OrvGreen(v)) + here[1],
                              int(OrvRed(v)) + here[2]};
            for (int& c : channel) c = c < 0 ? 0 : c > 255 ? 255 : c;
            const uint8_t index = inverseMap[OrvPalette::InverseKey(
                unsigned(channel[2]), unsigned(channel[1]), unsigned(channel[0]))];
            out[x] = index;
            const OrvRgbQuad chosen = index < colourCount ? colours[index] : OrvRgbQuad{0, 0, 0, 0};
            const int chosenChannel[3] = {chosen.rgbBlue, chosen.rgbGreen, chosen.rgbRed};
            int16_t* below = next + 3 * (x + 1);
            for (int c = 0; c < 3; ++c) {
                const Shares& s = shares[channel[c] - chosenChannel[c] + kMaxError];
                here[3 + c] = int16_t(here[3 + c] + s.e7);
                below[c - 3] = int16_t(below[c - 3] + s.e3);
                below[c] = int16_t(below[c] + s.e5);
                below[c + 3] = int16_t(below[c + 3] + s.e1);
            }
        }
        int16_t* done = current;
        current = next;
        next = done;
        std::memset(next, 0, rowValues * sizeof(int16_t));
    }
    return true;
}
