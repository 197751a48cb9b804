// Row-level pixel conversion through one exchange form, the colour row: one 32-bit value
// per pixel, red in bits 0-7, green 8-15, blue 16-23, alpha 24-31 (0 when the source has
// none). Every depth is read by ReadRow and written by WriteRow, so every pair of source
// and target depths goes through the same two functions. Rows are logical (0 at the top).
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvBitmapTypes.h"

class OrvDIBBuffer;
class OrvPalette;

// What one whole-image run needs for 8-bit targets. Without a palette nothing is written
// at 8 bits and the key plays no part.
struct OrvConversionContext {
    OrvConversionContext() = default;
    // keyValue is the source image's key; the key index is the palette's first magenta
    // entry (255 when it has none).
    OrvConversionContext(OrvPalette* palette, OrvColour keyValue);

    const uint8_t* inverseMap = nullptr;
    const OrvRgbQuad* colours = nullptr;
    int colourCount = 0;
    OrvColour keyValue = kOrvNoColour;
    uint8_t keyIndex = 255;
};

// Depths 1, 2, 4, 8 (through the colour table; indices past it read black), 16 (5-5-5),
// 24 and 32 (alpha only when alpha is set). Other depths leave the row as it was.
void ReadRow(const OrvDIBBuffer& buffer, int y, uint32_t* row, bool alpha);

// For a row of 1, 2, 4 or 8 bits: alpha 0 where the pixel's index is keyIndex, 255 elsewhere.
void KeyIndexToAlpha(const OrvDIBBuffer& buffer, int y, uint32_t* row, OrvColour keyIndex);

// Depths 8 (error carried along the row, never to the next row), 24 and 32 (alpha only
// when alpha is set, else 0). Other depths are not written.
void WriteRow(OrvDIBBuffer& buffer, int y, const uint32_t* row, const OrvConversionContext& context,
              bool alpha);

// As WriteRow, target pixel x taking row[floor(x * sourceWidth / target width)].
void WriteRowScaled(OrvDIBBuffer& buffer, int y, const uint32_t* row, int sourceWidth,
                    const OrvConversionContext& context, bool alpha);

// Blends each pixel by its alpha over runs of cellSize pixels alternately backed by first
// and second (first at the start); alpha leaves the row as 0.
void CompositeChecker(uint32_t* row, int width, int cellSize, OrvColour first, OrvColour second);

// Shrinks rect in one direction to the image's aspect ratio, centring when asked.
// Pictures smaller than the rectangle are enlarged.
void FitRect(OrvRect& rect, int imageWidth, int imageHeight, bool centre);
