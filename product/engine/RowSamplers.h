// The routines that sample an object along runs of destination pixels, one run a row,
// and blend the result in. Integer arithmetic throughout, divisions truncating toward zero.
#pragma once

#include <cstddef>
#include <cstdint>

// A run of pixels on each of one or more rows. Each run starts one row step (vx, vy)
// after the one above it, reached by one addition per row.
struct SamplerRow {
    uint8_t* destination;  // first pixel of the first run
    int32_t count;         // pixels a run
    const uint8_t* mask;   // one byte a pixel, or null
    double x, y;           // start point of the first run in object coordinates
    int32_t rows = 1;
    ptrdiff_t destinationStride = 0, maskStride = 0;  // bytes from one run to the next
};

struct SamplerObject {
    const uint8_t* pixels;  // top row first: 4 bytes a pixel (colour) or 1 (relief)
    int32_t rowBytes;
    int32_t width, height;
};

struct SamplerCopy {
    double ux, uy;  // one destination pixel along the row
    double vx, vy;  // one destination row down
    int32_t opacity;
    int32_t textureAmount;
    int32_t desaturation;
    int32_t hueShift = 0, brightness = 0;  // of the colour samplers with variation
    uint8_t blend = 0;                     // a BlendMode
};

using RowSampler = void (*)(const SamplerRow& row, const SamplerObject& object, const SamplerCopy& copy);

// One of the eight samplers (colour or texture, 3 or 4 bytes a pixel, nearest or four
// samples), in its masked or unmasked form: the fastest this build has.
RowSampler ChooseRowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked);

// The plain one-pixel-at-a-time samplers, the reference the faster ones must match byte
// for byte.
RowSampler ChooseReferenceRowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked);

// The colour samplers that also turn the hue, scale the brightness and blend by a mode:
// the fastest this build has, the reference, and the vector families one by one (SSE2,
// the reference where it is missing; AVX2, null where the build or machine lacks it).
RowSampler ChooseVariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked);
RowSampler ChooseReferenceVariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked);
RowSampler ChooseSse2VariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked);
RowSampler ChooseAvx2VariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked);

// Several destination pixels a step: the fastest family the machine has.
RowSampler ChooseVectorRowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked);

// The vector families one by one, all tested against the reference: SSE2 (the reference
// where SSE2 is missing) and AVX2 (null where the build or the machine lacks it). An
// object too large for 16-bit pixel offsets is left to the reference.
RowSampler ChooseSse2RowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked);
RowSampler ChooseAvx2RowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked);

// The AVX2 family's tables, compiled for AVX2: call only through ChooseAvx2RowSampler
// and ChooseAvx2VariedRowSampler.
RowSampler PickAvx2RowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked);
RowSampler PickAvx2VariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked);
