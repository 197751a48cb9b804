// Floyd-Steinberg error diffusion from pixels of any depth to 8-bit indices of a palette,
// for displays with 256 colours. Rows run top to bottom in the source's stored order,
// every row left to right; each channel's error is split 7/16 to the next pixel, 3/16,
// 5/16 and 1/16 to the three pixels below, by tables whose shares add up exactly.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvBitmapTypes.h"

class OrvDIBBuffer;
class OrvPalette;

// Told the percentage of rows done before each row.
class OrvProgressSink {
public:
    virtual ~OrvProgressSink() = default;
    virtual void Progress(int percent) = 0;
};

class OrvDitherer {
public:
    static constexpr int kMaxError = 255;

    // The palette must outlive the ditherer (its inverse map is used, built if absent).
    explicit OrvDitherer(OrvPalette& palette, OrvProgressSink* progress = nullptr);
    ~OrvDitherer();
    OrvDitherer(const OrvDitherer&) = delete;
    OrvDitherer& operator=(const OrvDitherer&) = delete;

    // Whole bitmaps of equal size only: sub-rectangles are refused (false), as are
    // targets that are not 8-bit.
    bool Convert(const OrvDIBBuffer& source, OrvDIBBuffer& target, const OrvRect* sourceRect = nullptr,
                 const OrvRect* targetRect = nullptr);
    bool Convert(const OrvBitmapInfo* sourceHeader, const OrvBitmapInfo* targetHeader,
                 const uint8_t* sourceRows, uint8_t* targetRows, const OrvRect* sourceRect = nullptr,
                 const OrvRect* targetRect = nullptr);

    // The 1/16, 3/16, 5/16 and 7/16 shares of an error in -255..255.
    struct Shares {
        int16_t e1, e3, e5, e7;
    };
    Shares SharesOf(int error) const { return shares[error + kMaxError]; }

private:
    void Reserve(int width);

    OrvRgbQuad colours[256] = {};
    int colourCount = 0;
    const uint8_t* inverseMap;
    OrvProgressSink* progress;
    Shares shares[2 * kMaxError + 1];
    int16_t* errors = nullptr;  // two rows of (width + 2) x 3: this row, then the next
    uint32_t* colourRow = nullptr;
    int capacity = -1;
};
