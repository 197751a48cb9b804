// The vector row samplers compiled for AVX2: the same source, in three-operand
// encodings. Chosen only on a machine that has AVX2 (see RowSamplers.cpp).
#include "product/engine/RowSamplers.h"
#include "product/engine/Variation.h"

#if defined(VARNEL_AVX2_SAMPLERS)

#include <immintrin.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace {
#include "product/engine/RowSamplerParts.h"
#include "product/engine/RowSamplersVector.h"
}  // namespace

RowSampler PickAvx2RowSampler(bool texture, int32_t bytesPerPixel, bool quick, bool masked) {
    return PickRowSampler<Rows>(texture, bytesPerPixel, quick, masked);
}

RowSampler PickAvx2VariedRowSampler(int32_t bytesPerPixel, bool quick, bool masked) {
    return PickRowSampler<VariedRows>(false, bytesPerPixel, quick, masked);
}

#else

RowSampler PickAvx2RowSampler(bool, int32_t, bool, bool) { return nullptr; }
RowSampler PickAvx2VariedRowSampler(int32_t, bool, bool) { return nullptr; }

#endif
