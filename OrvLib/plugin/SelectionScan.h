// Bounds of a selection mask, and whether it is a hard-edged rectangle ("plain": every
// value 0 or 255, the 255s one solid rectangle). The mask is read in tiles; tile results
// are joined band by band.
#pragma once

#include <cstdint>

#include "OrvLib/ORVUTIL/OrvRect.h"

struct MaskScan {
    OrvRect bounds;  // all zero when nothing is selected
    bool plain = true;
};

// One tile of mask bytes covering (left, top) - (right, bottom) in image coordinates.
MaskScan ScanMaskTile(const uint8_t* data, int32_t left, int32_t top, int32_t right, int32_t bottom,
                      int32_t rowBytes);

// Joins tile results in reading order: tiles within a band from the left, bands from the top.
class SelectionBoundsBuilder {
public:
    void BeginBand();
    void AddTile(const MaskScan& tile);
    MaskScan Finish();

private:
    void EndBand();

    MaskScan result;
    bool haveResult = false;
    OrvRect band;
    bool haveBand = false;
};
