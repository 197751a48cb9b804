// Draws one placed copy into a destination buffer that shows a box of the image,
// at full resolution (a host tile) or reduced (a preview).
#pragma once

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/PixelBuffer.h"
#include "product/engine/Placement.h"

struct DrawSettings {
    bool texture = false;
    bool quick = false;
    int32_t textureAmount = 50;
};

// mask may be null; when given it matches the destination's size.
void DrawPlacement(const PixelBuffer& destination, const PixelBuffer* mask, const OrvRect& area,
                   const Placement& placement, const OrvImage2& object, const DrawSettings& settings);
