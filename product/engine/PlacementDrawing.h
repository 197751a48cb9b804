// Draws one placed copy into a destination buffer that shows a box of the image,
// at full resolution (a host tile) or reduced (a preview).
#pragma once

#include "OrvLib/ORVUTIL/OrvRect.h"
#include "OrvLib/image/OrvImage2.h"
#include "OrvLib/image/PixelBuffer.h"
#include "product/engine/Placement.h"
#include "product/engine/RowSamplers.h"

struct DrawSettings {
    bool texture = false;
    bool quick = false;
    int32_t textureAmount = 50;
    uint8_t blend = 0;  // a BlendMode, for colour copies
};

// One copy made ready for one destination buffer: the rows it touches and the sampler
// with its start point. Its rows can then be drawn in any grouping with the same result,
// since each row's start point is always reached by the same chain of additions.
struct PreparedCopy {
    OrvRect run;              // in buffer pixels, clipped to the buffer
    double x = 0.0, y = 0.0;  // object point of the run's first pixel
    SamplerObject source{};
    SamplerCopy copy{};
    RowSampler sampler = nullptr;
    int32_t bytes = 3;
};

// False when the copy leaves no pixel of the buffer to draw.
bool PrepareCopy(const PixelBuffer& destination, bool masked, const OrvRect& area, const Placement& placement,
                 const OrvImage2& object, const DrawSettings& settings, PreparedCopy* out);

// Draws the copy's rows that fall in [firstRow, endRow) of the buffer.
void DrawCopyRows(const PreparedCopy& prepared, const PixelBuffer& destination, const PixelBuffer* mask,
                  int32_t firstRow, int32_t endRow);

// mask may be null; when given it matches the destination's size.
void DrawPlacement(const PixelBuffer& destination, const PixelBuffer* mask, const OrvRect& area,
                   const Placement& placement, const OrvImage2& object, const DrawSettings& settings);
