// The vector row samplers for SSE2, the baseline of x86-64 and of both Windows builds.
#include "product/engine/RowSamplers.h"
#include "product/engine/Variation.h"

#if defined(__SSE2__)

#include <emmintrin.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace {
#include "product/engine/RowSamplerParts.h"
#include "product/engine/RowSamplersVector.h"
}  // namespace

RowSampler ChooseSse2RowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    return PickRowSampler<Rows>(texture, bytesPerPixel, quick, masked);
}

RowSampler ChooseSse2VariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked) {
    return PickRowSampler<VariedRows>(false, bytesPerPixel, quick, masked);
}

#else

RowSampler ChooseSse2RowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    return ChooseReferenceRowSampler(texture, bytesPerPixel, quick, masked);
}

RowSampler ChooseSse2VariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked) {
    return ChooseReferenceVariedRowSampler(bytesPerPixel, quick, masked);
}

#endif
