// A 1-bit mask with the table black, white: a set bit marks a pixel of the picture, a
// clear bit a transparent one. Same width, height and row order as the bitmap it masks.
#pragma once

#include "OrvLib/image/OrvDIBBuffer.h"

class OrvMaskDIBBuffer : public OrvDIBBuffer {
public:
    // Bit 0 where source has the key colour (or key index), 1 elsewhere.
    void BuildFromKey(const OrvDIBBuffer& source, OrvColour key);
    // The bit of pixel (x, y); 0 outside the mask.
    int BitAt(int x, int y) const;
};
